#pragma once

#include <QElapsedTimer>
#include <QString>

#include <functional>

namespace wendaro {

// What the user types to select an entry of a menu or a row of a table by
// its title: keys typed less than a second apart add up, and after a pause
// the text starts afresh.
class TypedPrefix {
 public:
  // Milliseconds from any fixed moment.
  using Clock = std::function<qint64()>;
  explicit TypedPrefix(Clock clock = {});
  TypedPrefix(const TypedPrefix&) = delete;
  TypedPrefix& operator=(const TypedPrefix&) = delete;

  // Whether a key's text selects by title rather than doing what the key
  // does: printable text, and a space only in the middle of a prefix.
  bool takes(const QString& text) const;
  // Adds the key's text; gives the prefix typed so far.
  const QString& add(const QString& text);
  // Starts afresh with the next key.
  void reset() { prefix_.clear(); }
  // Whether a title starts with the prefix, ignoring case.
  bool matches(const QString& title) const { return title.startsWith(prefix_, Qt::CaseInsensitive); }

 private:
  bool expired() const;

  Clock clock_;
  QElapsedTimer timer_;
  QString prefix_;
  qint64 lastKey_ = 0;
};

}  // namespace wendaro
