#include "app/app_delegate.h"

namespace wendaro {

// A launch that fails is not reported.
void AppDelegate::launchApp(const std::string& appPath) { platform.workspace.launchApplication(appPath); }

// Every member in stored order, whether or not it is still in the catalogue.
void AppDelegate::launchCategory(const std::string& category) {
  auto members = categoriesApps.find(category);
  if (members == categoriesApps.end()) return;
  for (const auto& appPath : members->second) launchApp(appPath);
}

void AppDelegate::launchTarget(const std::string& launchString, bool isCategory) {
  if (isCategory) {
    launchCategory(launchString);
  } else {
    launchApp(launchString);
  }
}

// With Option alone held, the shortcut editor opens instead of a launch.
void AppDelegate::launchAppWithItem(const WendaroMenuItem* sender) {
  if (!sender || !sender->launchString) return;
  if (isOptionKeyPressed()) {
    showShortcutWindow(*sender->launchString, false);
  } else {
    launchApp(*sender->launchString);
  }
}

void AppDelegate::launchCategoryWithItem(const WendaroMenuItem* sender) {
  if (!sender || !sender->launchString) return;
  if (isOptionKeyPressed()) {
    showShortcutWindow(*sender->launchString, true);
  } else {
    launchCategory(*sender->launchString);
  }
}

}  // namespace wendaro
