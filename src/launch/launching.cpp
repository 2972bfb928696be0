#include "app/app_delegate.h"

namespace wendaro {

// The workspace tells the user of a launch that fails.
LaunchResult AppDelegate::launchApp(const std::string& appPath) {
  return platform.workspace.launchApplication(appPath);
}

// Every member in stored order, whether or not it is still in the catalogue.
LaunchResult AppDelegate::launchCategory(const std::string& category) {
  auto members = categoriesApps.find(category);
  if (members == categoriesApps.end() || members->second.empty()) return {true, {}};
  LaunchResult result;
  for (const auto& appPath : members->second) {
    const LaunchResult member = launchApp(appPath);
    result.started = result.started || member.started;
    if (!member.started) result.failure += (result.failure.empty() ? "" : "; ") + member.failure;
  }
  if (result.started) result.failure.clear();
  return result;
}

void AppDelegate::launchTarget(const std::string& launchString, bool isCategory) {
  if (isCategory) {
    launchCategory(launchString);
  } else {
    launchApp(launchString);
  }
}

void AppDelegate::launchOrEditShortcut(const std::string& launchString, bool isCategory) {
  if (isOptionKeyPressed()) {
    showShortcutWindow(launchString, isCategory);
  } else {
    launchTarget(launchString, isCategory);
  }
}

void AppDelegate::launchAppWithItem(const WendaroMenuItem* sender) {
  if (sender && sender->launchString) launchOrEditShortcut(*sender->launchString, false);
}

void AppDelegate::launchCategoryWithItem(const WendaroMenuItem* sender) {
  if (sender && sender->launchString) launchOrEditShortcut(*sender->launchString, true);
}

}  // namespace wendaro
