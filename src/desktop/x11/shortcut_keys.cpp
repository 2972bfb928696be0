#include "desktop/x11/shortcut_keys.h"

#include <QKeySequence>
#include <QString>

namespace wendaro::x11 {

std::optional<int> qtKeyOf(const Shortcut& shortcut) {
  const QKeySequence sequence =
      QKeySequence::fromString(QString::fromStdString(shortcut.keyCodeStringForKeyEquivalent), QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier) return std::nullopt;
  const Qt::Key key = sequence[0].key();
  if (key == Qt::Key_unknown) return std::nullopt;
  return static_cast<int>(key);
}

}  // namespace wendaro::x11
