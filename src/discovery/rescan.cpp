#include "app/app_delegate.h"
#include "discovery/app_names.h"
#include "discovery/app_walk.h"

namespace wendaro {

// Rebuilds the catalogue from the watched directories, with the access grants
// open only while the walk runs, then prunes what no longer exists from the
// user's lists.
void AppDelegate::rescanApps() {
  allApps.clear();
  for (const auto& url : bookmarkURLs) platform.accessGrants.startAccessingSecurityScopedResource(url);
  for (const auto& directory : directories) collectApps(directory);
  for (const auto& url : bookmarkURLs) platform.accessGrants.stopAccessingSecurityScopedResource(url);
  sortInAppNameOrder(allApps);
  if (appsTableView) appsTableView->reloadData();
  pruneMissingApps();
}

void AppDelegate::collectApps(const std::string& path) { collectAppPaths(platform.fileManager, path, allApps); }

}  // namespace wendaro
