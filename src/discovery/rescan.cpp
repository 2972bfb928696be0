#include "app/app_delegate.h"
#include "discovery/app_names.h"
#include "discovery/app_walk.h"

namespace wendaro {

// Rebuilds the catalogue from the watched directories, with the access grants
// open only while the walk runs, then prunes what no longer exists from the
// user's lists.
void AppDelegate::rescanApps() {
  AppScan scan;
  for (const auto& url : bookmarkURLs) platform.accessGrants.startAccessingSecurityScopedResource(url);
  for (const auto& directory : directories) collectAppPaths(platform.fileManager, directory, scan);
  for (const auto& url : bookmarkURLs) platform.accessGrants.stopAccessingSecurityScopedResource(url);
  allApps = std::move(scan.apps);
  unreadDirectories = std::move(scan.unreadDirectories);
  sortInAppNameOrder(allApps);
  if (appsTableView) appsTableView->reloadData();
  pruneMissingApps();
}

}  // namespace wendaro
