#include "cli/print_menu.h"

#include <QKeySequence>

#include "desktop/qt/key_equivalent.h"

namespace wendaro::cli {

namespace {

std::string keyText(const MenuItem& item) {
  const QKeySequence keys = keySequenceForKeyEquivalent(item.keyEquivalent(), item.keyEquivalentModifierMask());
  return keys.isEmpty() ? item.keyEquivalent() : keys.toString(QKeySequence::PortableText).toStdString();
}

void printEntries(const Menu& menu, std::ostream& out, const std::string& indent) {
  for (const MenuItemRef& item : menu.items()) {
    out << indent;
    if (item->isSeparatorItem()) {
      out << "---\n";
      continue;
    }
    for (char c : item->attributedTitle().value_or(item->title())) {
      if (c == '\n') {
        out << "\\n";
      } else {
        out << c;
      }
    }
    if (!item->keyEquivalent().empty()) out << '\t' << keyText(*item);
    out << '\n';
    if (item->submenu()) printEntries(*item->submenu(), out, indent + "  ");
  }
}

}  // namespace

void printMenuTree(const Menu& menu, std::ostream& out) { printEntries(menu, out, ""); }

}  // namespace wendaro::cli
