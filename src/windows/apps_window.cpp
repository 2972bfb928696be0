#include <algorithm>

#include "app/app_delegate.h"
#include "settings/defaults_keys.h"
#include "windows/member_lists.h"
#include "windows/table_rows.h"

namespace wendaro {

// A check box of the Display column was clicked: the app joins or leaves the
// managed category, which is saved and shown at once.
void AppDelegate::toggleApp() {
  TableCell* cell = appsTableView->selectedCell();
  if (!cell || !cell->isButtonCell()) return;
  const long row = appsTableView->selectedRow();
  if (!isRowOf(allApps, row)) return;
  const bool on = cell->state() == kControlStateOn;
  const std::string appPath = allApps[row];

  std::vector<std::string>* members = managedMemberList(*this);
  if (members) {
    if (on) {
      members->push_back(appPath);
    } else if (auto found = std::find(members->begin(), members->end(), appPath); found != members->end()) {
      members->erase(found);
    }
  }
  memberListChanged(members);
}

void AppDelegate::memberListChanged(const std::vector<std::string>* members) {
  if (members == &favorites) {
    platform.defaults.setObject(keys::kFavorites, stringArrayValue(favorites));
    rebuildFavoriteItems();
  } else if (members == &menubar) {
    platform.defaults.setObject(keys::kMenubar, stringArrayValue(menubar));
    rebuildMenubarItems();
  } else {
    saveCategories();
    rebuildCategoryItems();
  }
}

}  // namespace wendaro
