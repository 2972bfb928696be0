#pragma once

namespace wendaro {

// The image asset of the main menu-bar icon, also shown in the shortcut
// editor for the main menu.
inline constexpr const char* kMenubarIconName = "MenubarIcon";

}  // namespace wendaro
