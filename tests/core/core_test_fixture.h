#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fake/fake_desktop.h"
#include "fake/menu_text.h"

namespace wendaro {

// A fake desktop and an application object made on it, not yet started.
class CoreTest : public ::testing::Test {
 protected:
  fake::FakeDesktop desktop;
  std::unique_ptr<AppDelegate> app = desktop.makeApplication();

  void install(std::initializer_list<std::string> appPaths) {
    for (const auto& path : appPaths) desktop.fileSystem.addDirectory(path);
  }
  void start() { app->applicationDidFinishLaunching(); }
  std::vector<std::string> stored(const std::string& key) {
    std::vector<std::string> strings;
    for (const auto& value : desktop.defaults.values.at(key).array()) strings.push_back(value.string());
    return strings;
  }
  // The titles of the main menu's entries above the favourites separator.
  std::vector<std::string> favoriteTitles() {
    std::vector<std::string> titles;
    const long end = app->menubarMenu->indexOfItem(app->favoritesSeparator);
    for (long i = 0; i < end; ++i) titles.push_back(app->menubarMenu->itemAtIndex(i)->title());
    return titles;
  }
  // The titles of the main menu's category entries.
  std::vector<std::string> categoryTitles() {
    std::vector<std::string> titles;
    const long first = app->menubarMenu->indexOfItem(app->favoritesSeparator) + 1;
    const long allApps = app->menubarMenu->indexOfItem(app->categoriesSeparator) - 1;
    for (long i = first; i < allApps; ++i) titles.push_back(app->menubarMenu->itemAtIndex(i)->title());
    return titles;
  }
  fake::FakeStatusItem& pinned(std::size_t index) {
    return static_cast<fake::FakeStatusItem&>(*app->menubarStatusItems.at(index));
  }
  // Opens the Apps window for a category as its menu entries do.
  void manage(const std::string& name, bool builtIn) {
    WendaroMenuItem item("Manage", Action::ShowAppsWindow, "");
    item.launchString = name;
    item.isHardcodedCategory = builtIn;
    app->performMenuItemAction(item);
  }
  // Clicks an app's check box in the Apps window.
  void tick(const std::string& appPath, bool on) {
    auto row = std::find(app->allApps.begin(), app->allApps.end(), appPath) - app->allApps.begin();
    desktop.appsTable.clickCheckBox(row, on);
    app->toggleApp();
  }
  static bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
  }
  // Position of a call in the log, or the log's length when it is missing.
  long positionOf(const std::string& call, long from = 0) {
    const auto& calls = desktop.log.all();
    return std::find(calls.begin() + from, calls.end(), call) - calls.begin();
  }
};

}  // namespace wendaro
