#include "desktop/qt/typed_prefix.h"

namespace wendaro {

namespace {

constexpr qint64 kPauseThatStartsAfresh = 1000;

}  // namespace

TypedPrefix::TypedPrefix(Clock clock) : clock_(std::move(clock)) {
  if (!clock_) {
    timer_.start();
    clock_ = [this] { return timer_.elapsed(); };
  }
}

bool TypedPrefix::expired() const { return prefix_.isEmpty() || clock_() - lastKey_ >= kPauseThatStartsAfresh; }

bool TypedPrefix::takes(const QString& text) const {
  if (text.isEmpty()) return false;
  for (QChar c : text) {
    if (!c.isPrint()) return false;
  }
  return !(text.front().isSpace() && expired());
}

const QString& TypedPrefix::add(const QString& text) {
  if (expired()) prefix_.clear();
  prefix_ += text;
  lastKey_ = clock_();
  return prefix_;
}

}  // namespace wendaro
