#include <algorithm>

#include "app/app_delegate.h"
#include "windows/member_lists.h"
#include "windows/table_rows.h"

namespace wendaro {

namespace {

// The side of the icons in the Apps window's rows.
constexpr double kAppsTableIconSide = 24;

}  // namespace

// One data source serves the three management tables, told apart by identity.
long AppDelegate::numberOfRowsInTableView(TableView& tableView) {
  if (&tableView == categoriesTableView) return static_cast<long>(categories.size());
  if (&tableView == directoriesTableView) return static_cast<long>(directories.size());
  if (&tableView == appsTableView) return static_cast<long>(allApps.size());
  return 0;
}

TableValue AppDelegate::tableViewObjectValueForTableColumnRow(TableView& tableView, const TableColumn& column,
                                                              long row) {
  if (&tableView == categoriesTableView) {
    return isRowOf(categories, row) ? TableValue(categories[row]) : TableValue();
  }
  if (&tableView == directoriesTableView) {
    return isRowOf(directories, row) ? TableValue(directories[row]) : TableValue();
  }
  if (&tableView != appsTableView || !isRowOf(allApps, row)) return {};

  const std::string& appPath = allApps[row];
  if (column.title == "Icon") {
    ImageRef icon = resizeIcon(platform.workspace.iconForFile(appPath), kAppsTableIconSide);
    return icon ? TableValue(icon) : TableValue();
  }
  if (column.title == "Name") return std::string(appTitles.of(appPath));
  if (column.title == "Display") {
    const auto* members = managedMemberList(*this);
    if (!members) return {};
    return std::find(members->begin(), members->end(), appPath) != members->end();
  }
  return {};
}

}  // namespace wendaro
