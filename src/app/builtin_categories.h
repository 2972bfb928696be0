#pragma once

namespace wendaro {

// The names of the two built-in categories, shown in the Manage menu and as
// the Apps window's title while it manages them.
inline constexpr const char* kFavoritesCategory = "Favorites";
inline constexpr const char* kMenuBarCategory = "Menu Bar";

}  // namespace wendaro
