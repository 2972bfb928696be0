#include "desktop/qt/key_equivalent.h"

namespace wendaro {

QKeySequence keySequenceForKeyEquivalent(const std::string& key, ModifierFlags mask) {
  if (key.empty()) return {};
  const QKeySequence parsed = QKeySequence::fromString(QString::fromStdString(key), QKeySequence::PortableText);
  if (parsed.count() != 1 || parsed[0].key() == Qt::Key_unknown) return {};
  Qt::KeyboardModifiers modifiers;
  if (mask & kShiftKeyMask) modifiers |= Qt::ShiftModifier;
  if (mask & kControlKeyMask) modifiers |= Qt::ControlModifier;
  if (mask & kOptionKeyMask) modifiers |= Qt::AltModifier;
  if (mask & kCommandKeyMask) modifiers |= Qt::MetaModifier;
  return QKeySequence(QKeyCombination(modifiers | parsed[0].keyboardModifiers(), parsed[0].key()));
}

}  // namespace wendaro
