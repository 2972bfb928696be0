#include "app/app_delegate.h"
#include "discovery/add_panel.h"
#include "settings/defaults_keys.h"
#include "windows/table_rows.h"

namespace wendaro {

void AppDelegate::addDirectory() {
  if (chooseDirectories()) return;
  finishDirectoryAction();
}

// Lets the user pick directories or apps and appends each with its access
// grant. A grant that cannot be made stops the rest; what was appended
// before it stays.
std::optional<PlatformError> AppDelegate::chooseDirectories() {
  auto panel = platform.openPanels.openPanel();
  configureAddPanel(*panel);
  panel->runModal();
  for (const Url& url : panel->URLs()) {
    auto bookmark = platform.accessGrants.bookmarkData(url, kBookmarkCreationWithSecurityScope);
    if (!bookmark.ok()) return bookmark.error();
    bookmarks.push_back(bookmark.value());
    directories.push_back(url.path());
  }
  return std::nullopt;
}

void AppDelegate::removeDirectory() {
  const long row = directoriesTableView->selectedRow();
  if (!isRowOf(directories, row)) return;
  const std::string removed = directories[row];
  directories.erase(directories.begin() + row);
  resolveBookmarks({removed});
  finishDirectoryAction();
}

// Grants of directories listed now are dropped before the list goes back to
// the defaults; grants of other paths survive.
void AppDelegate::revertDirectioriesToDefaults() {
  resolveBookmarks(directories);
  directories = platform.appKinds.defaultDirectories();
  finishDirectoryAction();
}

void AppDelegate::finishDirectoryAction() {
  directoriesTableView->reloadData();
  saveDirectories();
  rescanApps();
  refreshMenus();
  rebuildMenubarItems();
}

}  // namespace wendaro
