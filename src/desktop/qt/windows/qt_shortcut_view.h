#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QWidget>

#include "desktop/shortcuts/shortcut_conflicts.h"
#include "platform/defaults_store.h"
#include "platform/shortcuts.h"

class QLabel;
class QPushButton;

namespace wendaro {

class ShortcutRecorderEdit;

// The shortcut stored under a defaults key, as the text of
// desktop/qt/shortcut_text.h. Only strings that spell one combination count.
std::optional<Shortcut> storedShortcut(const DefaultsStore& store, const std::string& key);

// The recorder of the shortcut editor: a key-sequence editor and a clear
// button. It shows the shortcut stored under its associated key (again each
// time it is shown), and writes a recorded shortcut there at once, as Qt's
// portable text ("Ctrl+Alt+K"); the clear button, Backspace or Delete remove
// it. It records one combination at a time and refuses keys without a
// modifier other than Shift, function keys excepted. Without an associated key
// it records nothing. A shortcut that the owner says another entry has is not
// recorded, and the view says which entry has it until the next recording,
// clearing or key. Given the binder's conflicts, it says the same of a stored
// shortcut that another entry's key, coming first, stores too (that entry
// alone starts with it); and it says beneath when another
// program holds the shortcut, so that pressing it cannot work here, which
// keys the desktop gave it where the desktop chooses them, and when the
// desktop lets no program have global shortcuts; while the recorder has the
// keyboard focus the program's shortcuts let go of the keyboard, so that
// pressing one records it.
class QtShortcutView final : public QWidget, public ShortcutView {
  Q_OBJECT

 public:
  explicit QtShortcutView(DefaultsStore& store, QWidget* parent = nullptr);
  ~QtShortcutView() override;

  // The conflicts must outlive the view, or be replaced by null first.
  void setConflicts(ShortcutConflicts* conflicts);

  void setAssociatedUserDefaultsKey(const std::string& key) override;
  std::optional<Shortcut> shortcutValue() const override;
  void setShortcutOwner(ShortcutOwner owner) override;

  ShortcutRecorderEdit& recorder() { return *recorder_; }
  QPushButton& clearButton() { return *clearButton_; }
  QLabel& conflictLabel() { return *conflictLabel_; }
  QLabel& inUseLabel() { return *inUseLabel_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  void record(QKeyCombination combination);
  void clear();
  void showStoredShortcut();
  // What to say beneath the recorder: why the shortcut cannot work, or
  // which keys the desktop gave it; empty for nothing.
  QString noteFor(bool stored) const;
  void setRecording(bool recording);

  DefaultsStore& store_;
  std::string key_;
  ShortcutRecorderEdit* recorder_;
  QPushButton* clearButton_;
  QLabel* conflictLabel_;
  QLabel* inUseLabel_;
  ShortcutOwner owner_;
  // The entry that has the shortcut last refused, until the next recording,
  // clearing or key.
  std::optional<std::string> refusedFor_;
  ShortcutConflicts* conflicts_ = nullptr;
  bool recording_ = false;
};

// Readers of stored shortcuts that are never shown (for the menus' key
// equivalents).
class QtShortcutViews final : public ShortcutViews {
 public:
  explicit QtShortcutViews(DefaultsStore& store) : store_(store) {}
  std::unique_ptr<ShortcutView> makeShortcutView() override;

 private:
  DefaultsStore& store_;
};

}  // namespace wendaro
