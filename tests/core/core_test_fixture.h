#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "fake/fake_desktop.h"
#include "settings/defaults_keys.h"
#include "settings/shape_checks.h"

namespace wendaro {

using Paths = std::vector<std::string>;
using Index = std::map<std::string, std::string>;

// A fake desktop and an application object made on it, not yet started.
class CoreTest : public ::testing::Test {
 protected:
  fake::FakeDesktop desktop;
  std::unique_ptr<AppDelegate> app = desktop.makeApplication();

  void install(std::initializer_list<std::string> appPaths) {
    for (const auto& path : appPaths) desktop.fileSystem.addDirectory(path);
  }
  void start() { app->applicationDidFinishLaunching(); }
  void store(const std::string& key, const std::string& text) { desktop.defaults.values[key] = Value(text); }
  Paths stored(const std::string& key) {
    Paths strings;
    for (const auto& value : desktop.defaults.values.at(key).array()) strings.push_back(value.string());
    return strings;
  }
  Index storedIndex() { return *asStringDictionary(desktop.defaults.values.at(keys::kShortcutsIndex)); }
  // The titles of the main menu's favourites, or of its categories.
  Paths menuTitles(bool categories) {
    Paths titles;
    const long favoritesEnd = app->menubarMenu->indexOfItem(app->favoritesSeparator);
    const long allApps = app->menubarMenu->indexOfItem(app->categoriesSeparator) - 1;
    for (long i = categories ? favoritesEnd + 1 : 0; i < (categories ? allApps : favoritesEnd); ++i) {
      titles.push_back(app->menubarMenu->itemAtIndex(i)->title());
    }
    return titles;
  }
  Paths pinTips() {
    Paths tips;
    for (const auto& item : desktop.statusBar.shown()) tips.push_back(item->toolTip);
    return tips;
  }
  static std::shared_ptr<WendaroMenuItem> entry(const std::string& launchString, Action action, bool builtIn = false) {
    auto item = std::make_shared<WendaroMenuItem>("Entry", action, "");
    item->launchString = launchString;
    item->isHardcodedCategory = builtIn;
    return item;
  }
  // Opens the Apps window for a category as its menu entries do.
  void manage(const std::string& name, bool builtIn) {
    app->performMenuItemAction(*entry(name, Action::ShowAppsWindow, builtIn));
  }
  // Clicks an app's check box in the Apps window.
  void tick(const std::string& appPath, bool on) {
    auto row = std::find(app->allApps.begin(), app->allApps.end(), appPath) - app->allApps.begin();
    desktop.appsTable.clickCheckBox(row, on);
    app->toggleApp();
  }
};

}  // namespace wendaro
