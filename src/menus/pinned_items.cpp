#include <algorithm>

#include "app/app_delegate.h"
#include "windows/member_lists.h"

namespace wendaro {

namespace {

// As wide as the main icon.
constexpr double kPinnedIconLength = 20.0;
constexpr double kPinnedIconSide = 16;

}  // namespace

// Removes every pinned icon and makes one per entry of `menubar`, in order,
// so that status item i stands for app path i.
void AppDelegate::rebuildMenubarItems() {
  for (const auto& item : menubarStatusItems) platform.statusBar.removeStatusItem(*item);
  menubarStatusItems.clear();

  while (pinnedAppMenus.size() < menubar.size()) pinnedAppMenus.push_back(std::make_shared<Menu>());
  for (std::size_t i = 0; i < menubar.size(); ++i) {
    const std::string& appPath = menubar[i];
    StatusItemRef item = platform.statusBar.statusItemWithLength(kPinnedIconLength);
    item->setToolTip(std::string(appTitles.of(appPath)));
    item->setImage(resizeIcon(platform.workspace.iconForFile(appPath), kPinnedIconSide));
    item->setAction(Action::LaunchAppWithButton);
    buildPinnedAppMenu(*pinnedAppMenus[i], appPath);
    if (StatusBarButton* button = item->button()) button->setMenu(pinnedAppMenus[i].get());
    menubarStatusItems.push_back(std::move(item));
  }
}

void AppDelegate::buildPinnedAppMenu(Menu& menu, const std::string& appPath) {
  menu.removeAllItems();
  menu.addItemWithTitle(std::string(appTitles.of(appPath)), Action::None, "");
  menu.addItem(MenuItem::separatorItem());
  for (const auto& [title, action] : {std::pair{"Edit Shortcut…", Action::EditShortcutWithItem},
                                      std::pair{"Remove from Menu Bar", Action::RemoveFromMenuBarWithItem}}) {
    auto entry = std::make_shared<WendaroMenuItem>(title, action, "");
    entry->launchString = appPath;
    menu.addItem(entry);
  }
}

// Unpins the app as unticking it in the "Menu Bar" window does; that window,
// if it shows the pinned apps, shows the app unticked.
void AppDelegate::removeFromMenuBarWithItem(const WendaroMenuItem* sender) {
  if (!sender || !sender->launchString) return;
  auto found = std::find(menubar.begin(), menubar.end(), *sender->launchString);
  if (found == menubar.end()) return;
  menubar.erase(found);
  memberListChanged(&menubar);
  if (appsWindow && appsTableView && managedMemberList(*this) == &menubar) appsTableView->reloadData();
}

}  // namespace wendaro
