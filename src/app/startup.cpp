#include "app/app_delegate.h"
#include "app/image_names.h"

namespace wendaro {

void AppDelegate::applicationDidFinishLaunching() {
  if (updater) updater->checkForUpdatesInBackground();
  setup();
}

// Each step relies on what the steps before it left: the scan needs the
// loaded directories and grants, the bindings the loaded index, the menus the
// catalogue and the pruned lists.
void AppDelegate::setup() {
  if (isSetup) return;
  isSetup = true;
  loadSettings();
  rescanApps();
  bindShortcuts();
  shortcutWindow->setDelegate(this);
  shortcutView->setShortcutOwner(
      [this](const std::string& key, const Shortcut& shortcut) { return shortcutOwnerTitle(key, shortcut); });
  for (Window* window : {categoriesWindow, appsWindow, directoriesWindow, shortcutWindow}) prepareWindow(*window);
  installStatusIcon();
  setUpMenus();
  updateLaunchAtStartup();
}

void AppDelegate::installStatusIcon() {
  menubarItem->setImage(platform.images.imageNamed(kMenubarIconName));
  if (StatusBarButton* button = menubarItem->button()) button->setMenu(menubarMenu.get());
}

}  // namespace wendaro
