#include "fake/menu_text.h"

#include "platform/menu_text.h"

namespace wendaro::fake {

namespace {

std::string keyText(const MenuItem& item) {
  std::string text;
  const ModifierFlags mask = item.keyEquivalentModifierMask();
  if (mask & kControlKeyMask) text += "Ctrl+";
  if (mask & kOptionKeyMask) text += "Alt+";
  if (mask & kShiftKeyMask) text += "Shift+";
  if (mask & kCommandKeyMask) text += "Meta+";
  return text + item.keyEquivalent();
}

}  // namespace

std::string menuText(const Menu& menu) { return menuTreeText(menu, keyText); }

}  // namespace wendaro::fake
