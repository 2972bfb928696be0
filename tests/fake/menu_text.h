#pragma once

#include <string>

#include "platform/menu.h"

namespace wendaro::fake {

// A menu as text, one entry a line: two spaces of indent per submenu level,
// "---" for a separator, else the title (the attributed one where set, line
// breaks written as "\n"), then a tab and the key equivalent when there is
// one, modifiers first ("Ctrl+Alt+K").
std::string menuText(const Menu& menu);

}  // namespace wendaro::fake
