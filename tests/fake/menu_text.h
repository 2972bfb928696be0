#pragma once

#include <string>

#include "platform/menu.h"

namespace wendaro::fake {

// A menu as text (see platform/menu_text.h), key equivalents spelled with
// their modifiers first ("Ctrl+Alt+K").
std::string menuText(const Menu& menu);

}  // namespace wendaro::fake
