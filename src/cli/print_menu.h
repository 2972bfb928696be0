#pragma once

#include <ostream>

#include "platform/menu.h"

namespace wendaro::cli {

// Writes a menu and its submenus, one entry a line: two spaces of indent per
// submenu level; "---" for a separator; otherwise the title (the attributed
// title where the entry has one) with each line break written as \n, then a
// tab and the key equivalent in Qt's portable text when it has one. A
// submenu's entries follow the entry that opens it.
void printMenuTree(const Menu& menu, std::ostream& out);

// `wendaro --print-menu`: the start-up of the tray program without showing
// anything (so it saves what start-up saves), then the main menu printed as
// above. Refused, like a second copy, while the tray program runs.
int runPrintMenu(int argc, char** argv);

}  // namespace wendaro::cli
