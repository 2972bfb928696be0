#include "desktop/qt/shortcut_text.h"

#include <array>

#include <QKeySequence>

#include "desktop/qt/qt_events.h"

namespace wendaro {

namespace {

struct ModifierName {
  std::string_view name;
  ModifierFlags flag;
};

// The order in which Qt writes the modifiers of a combination.
constexpr std::array<ModifierName, 4> kModifierNames{{
    {"Meta", kCommandKeyMask},
    {"Ctrl", kControlKeyMask},
    {"Alt", kOptionKeyMask},
    {"Shift", kShiftKeyMask},
}};

bool isModifierKey(Qt::Key key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
         key == Qt::Key_AltGr;
}

}  // namespace

std::optional<Shortcut> parseShortcutText(std::string_view text) {
  const QString written = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QKeySequence sequence = QKeySequence::fromString(written, QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence.toString(QKeySequence::PortableText) != written) return std::nullopt;
  const QKeyCombination combination = sequence[0];
  const Qt::Key key = combination.key();
  if (key == Qt::Key_unknown || isModifierKey(key) || (combination.keyboardModifiers() & ~kShortcutModifiers))
    return std::nullopt;

  Shortcut shortcut;
  shortcut.keyCodeStringForKeyEquivalent = QKeySequence(key).toString(QKeySequence::PortableText).toStdString();
  shortcut.modifierFlags = toModifierFlags(combination.keyboardModifiers());
  return shortcut;
}

std::string shortcutText(const Shortcut& shortcut) {
  std::string text;
  for (const auto& modifier : kModifierNames) {
    if (shortcut.modifierFlags & modifier.flag) {
      text += modifier.name;
      text += '+';
    }
  }
  return text + shortcut.keyCodeStringForKeyEquivalent;
}

}  // namespace wendaro
