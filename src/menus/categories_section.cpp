#include "app/app_delegate.h"
#include "discovery/app_names.h"
#include "menus/same_titles.h"
#include "menus/submenu_entry.h"

namespace wendaro {

namespace {

// The submenu of one category: its members in app name order (the stored
// list keeps its own order), a separator, "Launch All" and "Manage".
std::shared_ptr<Menu> categoryMenu(AppDelegate& app, const std::string& category) {
  auto menu = std::make_shared<Menu>();
  if (auto members = app.categoriesApps.find(category); members != app.categoriesApps.end()) {
    std::vector<std::string> sorted = members->second;
    sortInAppNameOrder(sorted, app.appTitles);
    for (const auto& appPath : sorted) menu->addItem(app.makeMenuItem(appPath, false));
    showFoldersOfSameTitles(*menu, 0, menu->numberOfItems());
  }
  menu->addItem(MenuItem::separatorItem());
  menu->addItem(app.makeMenuItem(category, true));
  auto manage = std::make_shared<WendaroMenuItem>("Manage", Action::ShowAppsWindow, "");
  manage->launchString = category;
  menu->addItem(manage);
  return menu;
}

}  // namespace

// Replaces the entries between `favoritesSeparator` and "All Apps" (the entry
// directly above `categoriesSeparator`) with one per category, in the order
// of `categories`.
void AppDelegate::rebuildCategoryItems() {
  const long favoritesEnd = menubarMenu->indexOfItem(favoritesSeparator);
  const long allAppsEntry = menubarMenu->indexOfItem(categoriesSeparator) - 1;
  // Without its landmarks the main menu has not been built yet.
  if (favoritesEnd < 0 || allAppsEntry <= favoritesEnd) return;

  for (long index = allAppsEntry - 1; index > favoritesEnd; --index) menubarMenu->removeItemAtIndex(index);

  for (std::size_t i = 0; i < categories.size(); ++i) {
    const std::string& category = categories[i];
    menubarMenu->insertItemAtIndex(submenuEntry(category, categoryMenu(*this, category)),
                                   favoritesEnd + 1 + static_cast<long>(i));
  }
}

}  // namespace wendaro
