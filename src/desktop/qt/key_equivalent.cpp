#include "desktop/qt/key_equivalent.h"

#include "desktop/qt/shortcut_text.h"

namespace wendaro {

QKeySequence keySequenceForKeyEquivalent(const std::string& key, ModifierFlags mask) {
  if (key.empty()) return {};
  const std::string text = shortcutText(Shortcut{key, mask});
  if (!parseShortcutText(text)) return {};
  return QKeySequence::fromString(QString::fromStdString(text), QKeySequence::PortableText);
}

}  // namespace wendaro
