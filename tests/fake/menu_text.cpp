#include "fake/menu_text.h"

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

void appendMenu(const Menu& menu, int depth, std::string& out) {
  for (const auto& item : menu.items()) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    if (item->isSeparatorItem()) {
      out += "---\n";
      continue;
    }
    for (char c : item->attributedTitle().value_or(item->title())) {
      if (c == '\n') {
        out += "\\n";
      } else {
        out += c;
      }
    }
    if (!item->keyEquivalent().empty()) out += "\t" + keyText(*item);
    out += "\n";
    if (item->submenu()) appendMenu(*item->submenu(), depth + 1, out);
  }
}

}  // namespace

std::string menuText(const Menu& menu) {
  std::string out;
  appendMenu(menu, 0, out);
  return out;
}

}  // namespace wendaro::fake
