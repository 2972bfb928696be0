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
