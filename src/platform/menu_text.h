#pragma once

#include <functional>
#include <string>

#include "platform/menu.h"

namespace wendaro {

// A menu tree as text, one entry a line: two spaces of indent per submenu
// level, "---" for a separator, else the title (the attributed one where
// set, a line break in it written as "\n"), then a tab and the key
// equivalent as `keyText` spells it, when the entry has one.
std::string menuTreeText(const Menu& menu, const std::function<std::string(const MenuItem&)>& keyText);

}  // namespace wendaro
