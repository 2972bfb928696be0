#include "platform/menu_text.h"

namespace wendaro {

namespace {

void appendEntries(const Menu& menu, const std::function<std::string(const MenuItem&)>& keyText,
                   const std::string& indent, std::string& out) {
  for (const MenuItemRef& item : menu.items()) {
    out += indent;
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
    out += '\n';
    if (item->submenu()) appendEntries(*item->submenu(), keyText, indent + "  ", out);
  }
}

}  // namespace

std::string menuTreeText(const Menu& menu, const std::function<std::string(const MenuItem&)>& keyText) {
  std::string out;
  appendEntries(menu, keyText, "", out);
  return out;
}

}  // namespace wendaro
