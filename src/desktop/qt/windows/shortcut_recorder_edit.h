#pragma once

#include <QKeyCombination>
#include <QKeySequenceEdit>

namespace wendaro {

// What the recorder does with a key press.
enum class KeyPressVerdict {
  Record,   // a shortcut: at least one of Ctrl, Alt and Meta, or a function key
  Refuse,   // a key without a modifier (Shift alone does not count)
  Ignore,   // a modifier key pressed alone, or a key Qt cannot name
  Clear,    // Backspace or Delete alone clears the shortcut
  PassOn,   // Tab and Shift+Tab move the focus, Escape closes the window
};

KeyPressVerdict judgeKeyPress(int key, Qt::KeyboardModifiers modifiers);

// The combination a recorded key press stands for: the key with its Ctrl, Alt,
// Shift and Meta modifiers only (the keypad and layout-group flags dropped).
QKeyCombination recordedCombination(int key, Qt::KeyboardModifiers modifiers);

// A key-sequence editor that records one combination at a time and follows
// `judgeKeyPress`. It only shows what it is given and reports what the user
// does; the caller decides what is stored.
class ShortcutRecorderEdit : public QKeySequenceEdit {
  Q_OBJECT

 public:
  explicit ShortcutRecorderEdit(QWidget* parent = nullptr);

 signals:
  void recorded(QKeyCombination combination);
  void clearRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace wendaro
