#include <algorithm>

#include "app/app_delegate.h"
#include "discovery/desktop_file_ids.h"
#include "launch/shortcut_keys.h"
#include "settings/defaults_keys.h"
#include "settings/shape_checks.h"

namespace wendaro {

namespace {

// Replaces each path that has a successor by it, or drops it where the list
// names the successor already; whether anything changed.
template <typename Successor>
bool follow(std::vector<std::string>& paths, const Successor& successor) {
  bool changed = false;
  for (auto path = paths.begin(); path != paths.end();) {
    const std::string* next = successor(*path);
    if (!next) {
      ++path;
      continue;
    }
    changed = true;
    if (std::find(paths.begin(), paths.end(), *next) != paths.end()) {
      path = paths.erase(path);
    } else {
      *path++ = *next;
    }
  }
  return changed;
}

}  // namespace

// An app identified by a desktop-file ID keeps its place in the user's lists
// and its shortcut when another copy comes to win the ID (the user edits the
// app in a menu editor, which writes a copy to an earlier directory, also to
// hide it from the menus) or the winning copy goes (the edit is undone): a
// stored path whose ID another path now has, shown or not, is replaced by
// that path, and the lists that changed are saved.
AppDelegate::FollowedLists AppDelegate::followMovedApps(const AppScan& scan) {
  if (scan.appsByDesktopFileId.empty()) return {};
  auto successor = [&](const std::string& path) -> const std::string* {
    for (const auto& root : directories) {
      std::optional<std::string> id = desktopFileId(root, path);
      if (!id) continue;
      auto owner = scan.appsByDesktopFileId.find(*id);
      if (owner == scan.appsByDesktopFileId.end() || owner->second.index == AppScan::kHidden) continue;
      const std::string& winner = (owner->second.shown ? scan.apps : scan.notShownApps)[owner->second.index];
      if (winner != path) return &winner;
    }
    return nullptr;
  };

  FollowedLists followed;
  followed.favorites = follow(favorites, successor);
  if (followed.favorites) platform.defaults.setObject(keys::kFavorites, stringArrayValue(favorites));
  followed.menubar = follow(menubar, successor);
  if (followed.menubar) platform.defaults.setObject(keys::kMenubar, stringArrayValue(menubar));
  for (auto& [category, members] : categoriesApps) followed.categories |= follow(members, successor);
  if (followed.categories) saveCategories();

  bool movedShortcut = false;
  for (const auto& [launchString, shortcutKey] : std::map<std::string, std::string>(shortcutsIndex)) {
    if (isCategoryShortcutKey(shortcutKey)) continue;
    if (const std::string* next = successor(launchString)) movedShortcut |= moveShortcut(launchString, *next, false);
  }
  if (movedShortcut) saveShortcutsIndex();
  return followed;
}

}  // namespace wendaro
