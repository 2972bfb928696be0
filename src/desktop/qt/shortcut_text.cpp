#include "desktop/qt/shortcut_text.h"

#include <array>

#include <QKeySequence>

namespace wendaro {

namespace {

struct ModifierName {
  std::string_view name;
  Qt::KeyboardModifier qtModifier;
  ModifierFlags flag;
};

// The order in which Qt writes the modifiers of a combination.
constexpr std::array<ModifierName, 4> kModifierNames{{
    {"Meta", Qt::MetaModifier, kCommandKeyMask},
    {"Ctrl", Qt::ControlModifier, kControlKeyMask},
    {"Alt", Qt::AltModifier, kOptionKeyMask},
    {"Shift", Qt::ShiftModifier, kShiftKeyMask},
}};

constexpr Qt::KeyboardModifiers kShortcutModifiers =
    Qt::MetaModifier | Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;

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
  for (const auto& modifier : kModifierNames) {
    if (combination.keyboardModifiers() & modifier.qtModifier) shortcut.modifierFlags |= modifier.flag;
  }
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
