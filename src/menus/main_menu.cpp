#include "app/app_delegate.h"
#include "app/builtin_categories.h"
#include "menus/submenu_entry.h"

namespace wendaro {

namespace {

// The text of the "Keyboard" entry, one line per row.
constexpr const char* kKeyboardHelp =
    "You can manage keyboard shortcuts by holding\n"
    "the Option/Alt key while clicking on:\n"
    "- Wendaro's menu bar icon,\n"
    "- app's menu item,\n"
    "- app's menu bar icon,\n"
    "- \"Launch All\" item in category's menu.";

WendaroMenuItemRef builtInCategoryEntry(const std::string& name) {
  auto entry = std::make_shared<WendaroMenuItem>(name, Action::ShowAppsWindow, "");
  entry->launchString = name;
  entry->isHardcodedCategory = true;
  return entry;
}

std::shared_ptr<Menu> keyboardHelpMenu() {
  auto menu = std::make_shared<Menu>();
  auto help = std::make_shared<MenuItem>("", Action::None, "");
  help->setAttributedTitle(kKeyboardHelp);
  menu->addItem(help);
  return menu;
}

}  // namespace

// The first build of the whole main menu and the pinned icons.
void AppDelegate::setUpMenus() {
  menubarMenu->setDelegate(this);
  buildMainMenu();
  rebuildCategoryItems();
  rebuildAllAppsMenu();
  rebuildFavoriteItems();
  rebuildMenubarItems();
}

// The fixed entries. The two separators stay in the menu from here on: the
// favourites sit above the first, the categories between the two.
void AppDelegate::buildMainMenu() {
  menubarMenu->addItem(favoritesSeparator);
  menubarMenu->addItem(submenuEntry("All Apps", allAppsMenu));
  menubarMenu->addItem(categoriesSeparator);
  buildManageMenu();
  menubarMenu->addItem(submenuEntry("Manage", manageMenu));
  buildMoreMenu();
  menubarMenu->addItem(submenuEntry("More", moreMenu));
  menubarMenu->addItemWithTitle("Quit", Action::Terminate, "");
}

void AppDelegate::buildManageMenu() {
  manageMenu->addItem(builtInCategoryEntry(kMenuBarCategory));
  manageMenu->addItem(builtInCategoryEntry(kFavoritesCategory));
  manageMenu->addItemWithTitle("Categories", Action::ShowCategoriesWindow, "");
  manageMenu->addItemWithTitle("Directories", Action::ShowDirectoriesWindow, "");
  manageMenu->addItem(submenuEntry("Keyboard", keyboardHelpMenu()));
}

// "Check for Updates" goes to the updater connected when the menu is built.
void AppDelegate::buildMoreMenu() {
  moreMenu->addItem(launchAtStartupMenuItem);
  MenuItemRef updates = moreMenu->addItemWithTitle("Check for Updates", Action::CheckForUpdates, "");
  if (updater) updates->setTarget(ActionTarget::Updater);
  moreMenu->addItemWithTitle("Questions/Problems/Suggestions", Action::Support, "");
}

// The three variable sections; the fixed entries and the pinned icons stay.
void AppDelegate::refreshMenus() {
  rebuildAllAppsMenu();
  rebuildFavoriteItems();
  rebuildCategoryItems();
}

}  // namespace wendaro
