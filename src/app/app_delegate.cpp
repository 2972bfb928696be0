#include "app/app_delegate.h"

#include "settings/defaults_keys.h"

namespace wendaro {

namespace {

// The width of every icon the program puts into the menu bar.
constexpr double kStatusItemLength = 20.0;

}  // namespace

AppDelegate::AppDelegate(Platform& services)
    : platform(services),
      menubarItem(services.statusBar.statusItemWithLength(kStatusItemLength)),
      menubarMenu(std::make_shared<Menu>()),
      allAppsMenu(std::make_shared<Menu>()),
      manageMenu(std::make_shared<Menu>()),
      moreMenu(std::make_shared<Menu>()),
      categoriesSeparator(MenuItem::separatorItem()),
      favoritesSeparator(MenuItem::separatorItem()),
      launchAtStartupMenuItem(
          std::make_shared<MenuItem>("Launch at Startup", Action::LaunchAtStartup, "")),
      directories(services.appKinds.defaultDirectories()) {}

// Gives up what it owns; the menu bar icons stay and nothing is saved. The
// recorder, which outlives it, no longer asks it about shortcuts.
AppDelegate::~AppDelegate() {
  if (shortcutView) shortcutView->setShortcutOwner(nullptr);
}

}  // namespace wendaro
