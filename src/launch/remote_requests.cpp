#include "launch/remote_requests.h"

#include <algorithm>

#include "app/app_delegate.h"
#include "launch/shortcut_keys.h"
#include "settings/defaults_keys.h"

namespace wendaro {

namespace {

bool listHolds(const std::vector<std::string>& appPaths, const std::string& appPath) {
  return std::find(appPaths.begin(), appPaths.end(), appPath) != appPaths.end();
}

bool isKnownApp(const AppDelegate& app, const std::string& appPath) {
  if (listHolds(app.allApps, appPath) || listHolds(app.favorites, appPath) || listHolds(app.menubar, appPath)) {
    return true;
  }
  return std::any_of(app.categoriesApps.begin(), app.categoriesApps.end(),
                     [&](const auto& category) { return listHolds(category.second, appPath); });
}

RequestResult launched(const LaunchResult& launch) {
  if (launch.started) return {RequestOutcome::Done, {}};
  return {RequestOutcome::LaunchFailed, launch.failure};
}

}  // namespace

void openMainMenu(AppDelegate& app) {
  StatusBarButton* button = app.menubarItem->button();
  if (button && button->isHighlighted()) return;
  if (button) button->highlight(true);
  app.menubarItem->popUpStatusItemMenu(*app.menubarMenu);
}

RequestResult launchKnownApp(AppDelegate& app, const std::string& appPath) {
  if (!isKnownApp(app, appPath)) return {RequestOutcome::UnknownApp, {}};
  return launched(app.launchApp(appPath));
}

RequestResult launchKnownCategory(AppDelegate& app, const std::string& name) {
  if (std::find(app.categories.begin(), app.categories.end(), name) == app.categories.end()) {
    return {RequestOutcome::UnknownCategory, {}};
  }
  return launched(app.launchCategory(name));
}

RequestOutcome showManagementWindow(AppDelegate& app, const std::string& title) {
  for (const MenuItemRef& entry : app.manageMenu->items()) {
    if (entry->title() == title && entry->action() != Action::None) {
      app.performMenuItemAction(*entry);
      return RequestOutcome::Done;
    }
  }
  return RequestOutcome::UnknownWindow;
}

std::string shortcutTitle(const AppDelegate& app, const std::string& shortcutKey) {
  if (shortcutKey == keys::kMenuShortcut) return kMenuShortcutTitle;
  for (const auto& [launchString, key] : app.shortcutsIndex) {
    if (key == shortcutKey) return std::string(app.appTitles.of(launchString));
  }
  return {};
}

}  // namespace wendaro
