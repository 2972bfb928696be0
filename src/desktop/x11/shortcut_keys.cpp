#include "desktop/x11/shortcut_keys.h"

#include <QKeySequence>
#include <QString>

namespace wendaro::x11 {

namespace {

Qt::KeyboardModifiers qtModifiersOf(ModifierFlags flags) {
  Qt::KeyboardModifiers modifiers;
  if (flags & kShiftKeyMask) modifiers |= Qt::ShiftModifier;
  if (flags & kControlKeyMask) modifiers |= Qt::ControlModifier;
  if (flags & kOptionKeyMask) modifiers |= Qt::AltModifier;
  if (flags & kCommandKeyMask) modifiers |= Qt::MetaModifier;
  return modifiers;
}

}  // namespace

std::optional<int> qtKeyOf(const Shortcut& shortcut) {
  const QKeySequence sequence =
      QKeySequence::fromString(QString::fromStdString(shortcut.keyCodeStringForKeyEquivalent), QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier) return std::nullopt;
  const Qt::Key key = sequence[0].key();
  if (key == Qt::Key_unknown) return std::nullopt;
  return static_cast<int>(key);
}

std::string shortcutText(const Shortcut& shortcut) {
  const std::optional<int> key = qtKeyOf(shortcut);
  if (!key) {
    QString modifiers = QKeySequence(QKeyCombination(qtModifiersOf(shortcut.modifierFlags), Qt::Key_A))
                            .toString(QKeySequence::PortableText);
    modifiers.chop(1);  // the stand-in key
    return modifiers.toStdString() + shortcut.keyCodeStringForKeyEquivalent;
  }
  return QKeySequence(QKeyCombination(qtModifiersOf(shortcut.modifierFlags), static_cast<Qt::Key>(*key)))
      .toString(QKeySequence::PortableText)
      .toStdString();
}

}  // namespace wendaro::x11
