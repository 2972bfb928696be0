#include "app/app_delegate.h"

namespace wendaro {

// One entry per app of the catalogue, in catalogue order; with an empty
// catalogue, a note and the way to the Directories window.
void AppDelegate::rebuildAllAppsMenu() {
  allAppsMenu->removeAllItems();
  for (const auto& appPath : allApps) allAppsMenu->addItem(makeMenuItem(appPath, false));
  if (allApps.empty()) {
    allAppsMenu->addItemWithTitle("No apps found in chosen Directories", Action::None, "");
    allAppsMenu->addItemWithTitle("Manage", Action::ShowDirectoriesWindow, "");
  }
}

}  // namespace wendaro
