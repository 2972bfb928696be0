#pragma once

namespace wendaro::keys {

// The defaults keys the program reads and writes; each mirrors the field of
// the same name.
inline constexpr const char* kDirectories = "directories";
inline constexpr const char* kBookmarks = "bookmarks";
inline constexpr const char* kCategories = "categories";
inline constexpr const char* kCategoriesApps = "categoriesApps";
inline constexpr const char* kFavorites = "favorites";
inline constexpr const char* kMenubar = "menubar";
inline constexpr const char* kShortcutsIndex = "shortcutsIndex";
inline constexpr const char* kLaunchAtStartup = "launchAtStartup";

// The shortcut key, and launch string, of the main menu.
inline constexpr const char* kMenuShortcut = "WendaroMenu";

}  // namespace wendaro::keys
