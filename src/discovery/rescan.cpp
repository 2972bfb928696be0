#include "app/app_delegate.h"
#include "discovery/app_names.h"
#include "discovery/app_walk.h"
#include "platform/path_strings.h"

namespace wendaro {

// Rebuilds the catalogue from the watched directories, then prunes what no
// longer exists from the user's lists.
void AppDelegate::rescanApps() {
  scanApps();
  pruneMissingApps();
}

// The catalogue and the menus follow a change on disk at once. The user's
// lists follow apps whose path changed but lose nothing: what is missing now
// may be back in a moment (a package being upgraded, a drive being mounted),
// so only a rescan (at the next start, or after a directory action) prunes.
// The pinned icons are made again only when one would show another app or
// title.
void AppDelegate::watchedDirectoriesDidChange() {
  auto pinnedTitles = [this] {
    std::vector<std::string> titles;
    for (const std::string& appPath : menubar) titles.emplace_back(appTitles.of(appPath));
    return titles;
  };
  const std::vector<std::string> before = pinnedTitles();
  const FollowedLists followed = scanApps();
  refreshMenus();
  if (followed.menubar || pinnedTitles() != before) rebuildMenubarItems();
}

// The access grants are open only while the walk runs.
AppDelegate::FollowedLists AppDelegate::scanApps() {
  AppScan scan;
  platform.appKinds.beginScan();
  for (const auto& url : bookmarkURLs) platform.accessGrants.startAccessingSecurityScopedResource(url);
  for (const auto& directory : directories) {
    collectAppPaths(platform.fileManager, platform.appKinds, directory, scan);
  }
  for (const auto& url : bookmarkURLs) platform.accessGrants.stopAccessingSecurityScopedResource(url);
  const FollowedLists followed = followMovedApps(scan);
  sortInAppNameOrder(scan);
  appTitles = titlesOf(scan);
  allApps = std::move(scan.apps);
  appsNotShown = std::move(scan.notShownApps);
  unreadDirectories = std::move(scan.unreadDirectories);
  if (appsTableView) appsTableView->reloadData();

  std::vector<std::string> watched = std::move(scan.walkedDirectories);
  for (const auto& directory : directories) {
    if (pathExtension(directory) != "app") watched.push_back(directory);
  }
  platform.directoryWatcher.watchDirectories(watched, [this] { watchedDirectoriesDidChange(); });
  return followed;
}

}  // namespace wendaro
