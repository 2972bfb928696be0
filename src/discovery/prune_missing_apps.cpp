#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "app/app_delegate.h"
#include "launch/shortcut_keys.h"
#include "settings/defaults_keys.h"

namespace wendaro {

namespace {

bool isBelowAny(std::string_view path, const std::vector<std::string>& directories) {
  return std::any_of(directories.begin(), directories.end(), [path](const std::string& directory) {
    return path.size() > directory.size() && path.starts_with(directory) && path[directory.size()] == '/';
  });
}

// The apps the lists and the shortcut index name, by exact path.
std::unordered_set<std::string_view> namedApps(const AppDelegate& app) {
  std::unordered_set<std::string_view> named(app.favorites.begin(), app.favorites.end());
  named.insert(app.menubar.begin(), app.menubar.end());
  for (const auto& [category, members] : app.categoriesApps) named.insert(members.begin(), members.end());
  for (const auto& [launchString, shortcutKey] : app.shortcutsIndex) named.insert(launchString);
  return named;
}

}  // namespace

// Drops from the favourites, the pins and every category's members each path
// that is gone, keeping the order of the rest, and saves the three at once
// whether or not anything changed; then forgets the shortcuts of gone apps.
// A path is gone when the scan found no app there, shown or not (compared
// byte for byte), and it does not lie below a directory this scan could not
// read: a drive that is not mounted, a folder moved away for a while, or an
// app left out of the menus of this desktop session loses nothing.
void AppDelegate::pruneMissingApps() {
  // The lists are short and the catalogue long, so the lists are hashed and
  // the catalogue only read.
  const std::unordered_set<std::string_view> named = namedApps(*this);
  std::unordered_set<std::string_view> found;
  if (!named.empty()) {
    for (const auto* apps : {&allApps, &appsNotShown}) {
      for (const std::string& path : *apps) {
        if (named.contains(path)) found.insert(path);
      }
    }
  }
  auto gone = [&](std::string_view path) { return !found.contains(path) && !isBelowAny(path, unreadDirectories); };
  auto prune = [&gone](std::vector<std::string>& paths) { std::erase_if(paths, gone); };

  prune(favorites);
  platform.defaults.setObject(keys::kFavorites, stringArrayValue(favorites));
  prune(menubar);
  platform.defaults.setObject(keys::kMenubar, stringArrayValue(menubar));
  for (auto& [category, members] : categoriesApps) prune(members);
  saveCategories();

  std::vector<std::string> goneApps;
  for (const auto& [launchString, shortcutKey] : shortcutsIndex) {
    if (!isCategoryShortcutKey(shortcutKey) && gone(launchString)) goneApps.push_back(launchString);
  }
  for (const std::string& appPath : goneApps) forgetShortcut(appPath, false);
}

}  // namespace wendaro
