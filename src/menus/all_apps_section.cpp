#include "app/app_delegate.h"
#include "menus/same_titles.h"

namespace wendaro {

// One entry per app of the catalogue, in catalogue order; with an empty
// catalogue, a note and the way to the Directories window.
void AppDelegate::rebuildAllAppsMenu() {
  allAppsMenu->removeAllItems();
  // The paths' characters were last read when the catalogue was walked and
  // are cold by now; asking for the next ones ahead keeps a long catalogue
  // from waiting on memory at every entry.
  constexpr std::size_t kReadAhead = 8;
  for (std::size_t i = 0; i < allApps.size(); ++i) {
    if (i + kReadAhead < allApps.size()) __builtin_prefetch(allApps[i + kReadAhead].data());
    allAppsMenu->addItem(makeMenuItem(allApps[i], false));
  }
  showFoldersOfSameTitles(*allAppsMenu, 0, allAppsMenu->numberOfItems());
  if (allApps.empty()) {
    allAppsMenu->addItemWithTitle("No apps found in chosen Directories", Action::None, "");
    allAppsMenu->addItemWithTitle("Manage", Action::ShowDirectoriesWindow, "");
  }
}

}  // namespace wendaro
