#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fake/fake_desktop.h"
#include "fake/menu_text.h"

namespace wendaro {

// A fake desktop with a few apps installed and an application object that
// has started up on it.
class CoreTest : public ::testing::Test {
 protected:
  fake::FakeDesktop desktop;
  std::unique_ptr<AppDelegate> app;

  void install(std::initializer_list<std::string> appPaths) {
    for (const auto& path : appPaths) desktop.fileSystem.addDirectory(path);
  }
  void start() {
    app = desktop.makeApplication();
    app->applicationDidFinishLaunching();
  }
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
