#include "desktop/qt/windows/shortcut_recorder_edit.h"

#include <QApplication>
#include <QKeyEvent>

#include "desktop/qt/qt_events.h"

namespace wendaro {

namespace {

bool isModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
      return true;
    default:
      return false;
  }
}

}  // namespace

KeyPressVerdict judgeKeyPress(int key, Qt::KeyboardModifiers modifiers) {
  if (key == 0 || key == Qt::Key_unknown || isModifierKey(key)) return KeyPressVerdict::Ignore;
  const Qt::KeyboardModifiers held = modifiers & kShortcutModifiers;
  const bool hasCommandModifier = held & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (!hasCommandModifier) {
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || (key == Qt::Key_Escape && held == Qt::NoModifier))
      return KeyPressVerdict::PassOn;
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && held == Qt::NoModifier) return KeyPressVerdict::Clear;
    // Function keys are rarely typed as text, so they may stand alone.
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) return KeyPressVerdict::Record;
    return KeyPressVerdict::Refuse;
  }
  return KeyPressVerdict::Record;
}

QKeyCombination recordedCombination(int key, Qt::KeyboardModifiers modifiers) {
  return QKeyCombination(modifiers & kShortcutModifiers, static_cast<Qt::Key>(key));
}

ShortcutRecorderEdit::ShortcutRecorderEdit(QWidget* parent) : QKeySequenceEdit(parent) {}

void ShortcutRecorderEdit::keyPressEvent(QKeyEvent* event) {
  switch (judgeKeyPress(event->key(), event->modifiers())) {
    case KeyPressVerdict::Record:
      emit recorded(recordedCombination(event->key(), event->modifiers()));
      break;
    case KeyPressVerdict::Clear:
      emit clearRequested();
      break;
    case KeyPressVerdict::Refuse:
      QApplication::beep();
      break;
    case KeyPressVerdict::Ignore:
      break;
    case KeyPressVerdict::PassOn:
      if (event->key() == Qt::Key_Escape) {
        event->ignore();  // up to the window
        return;
      }
      focusNextPrevChild(event->key() == Qt::Key_Tab);
      break;
  }
  event->accept();
}

}  // namespace wendaro
