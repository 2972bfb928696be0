#include "core/core_test_fixture.h"

namespace wendaro {
namespace {

// A user's first session from an empty store, then a restart on the same
// store: everything set comes back and the menus read the same.
TEST(ScenarioTest, EverythingSetInOneRunComesBackInTheNext) {
  fake::FakeDesktop desktop;
  for (const char* path : {"/Applications/Mail.app", "/Applications/Notes.app", "/Applications/Zed.app",
                           "/System/Applications/Calculator.app"}) {
    desktop.fileSystem.addDirectory(path);
  }
  auto app = desktop.makeApplication();
  app->applicationDidFinishLaunching();

  // A category named "Work" with two apps, ticked in this order.
  app->addCategory();
  ASSERT_TRUE(desktop.categoriesTable.commitEdit("Work"));
  auto manage = [&](const std::string& name, bool builtIn) {
    WendaroMenuItem item("Manage", Action::ShowAppsWindow, "");
    item.launchString = name;
    item.isHardcodedCategory = builtIn;
    app->performMenuItemAction(item);
  };
  auto tick = [&](const std::string& path) {
    auto row = std::find(app->allApps.begin(), app->allApps.end(), path) - app->allApps.begin();
    desktop.appsTable.clickCheckBox(row, true);
    app->toggleApp();
  };
  manage("Work", false);
  tick("/Applications/Zed.app");
  tick("/Applications/Mail.app");
  manage("Favorites", true);
  tick("/System/Applications/Calculator.app");
  manage("Menu Bar", true);
  tick("/Applications/Notes.app");
  desktop.appsWindow.close();

  // A shortcut for Notes, minted by an Alt-click on its entry and recorded.
  desktop.events.flags = kOptionKeyMask;
  WendaroMenuItem notesEntry("Notes", Action::LaunchAppWithItem, "");
  notesEntry.launchString = "/Applications/Notes.app";
  app->performMenuItemAction(notesEntry);
  desktop.events.flags = 0;
  ASSERT_TRUE(desktop.shortcutWindow.visible);
  desktop.shortcutView.record("Ctrl+Alt+N");
  desktop.shortcutWindow.close();

  const std::string menuBefore = fake::menuText(*app->menubarMenu);
  const auto indexBefore = app->shortcutsIndex;
  ASSERT_EQ(indexBefore.size(), 1u);
  app.reset();

  fake::FakeDesktop next;
  next.defaults.values = desktop.defaults.values;
  for (const char* path : {"/Applications/Mail.app", "/Applications/Notes.app", "/Applications/Zed.app",
                           "/System/Applications/Calculator.app"}) {
    next.fileSystem.addDirectory(path);
  }
  auto restarted = next.makeApplication();
  restarted->applicationDidFinishLaunching();

  EXPECT_EQ(restarted->categories, (std::vector<std::string>{"Work"}));
  EXPECT_EQ(restarted->categoriesApps.at("Work"),
            (std::vector<std::string>{"/Applications/Zed.app", "/Applications/Mail.app"}));
  EXPECT_EQ(restarted->favorites, (std::vector<std::string>{"/System/Applications/Calculator.app"}));
  EXPECT_EQ(restarted->menubar, (std::vector<std::string>{"/Applications/Notes.app"}));
  EXPECT_EQ(restarted->shortcutsIndex, indexBefore);
  EXPECT_EQ(fake::menuText(*restarted->menubarMenu), menuBefore);
  EXPECT_EQ(fake::menuText(*restarted->menubarMenu),
            "Calculator\n"
            "---\n"
            "Work\n"
            "  Mail\n"
            "  Zed\n"
            "  ---\n"
            "  Launch All\n"
            "  Manage\n"
            "All Apps\n"
            "  Calculator\n"
            "  Mail\n"
            "  Notes\tCtrl+Alt+N\n"
            "  Zed\n"
            "---\n"
            "Manage\n"
            "  Menu Bar\n"
            "  Favorites\n"
            "  Categories\n"
            "  Directories\n"
            "  Keyboard\n"
            "    You can manage keyboard shortcuts by holding\\nthe Option/Alt key while clicking on:\\n"
            "- Wendaro's menu bar icon,\\n- app's menu item,\\n- app's menu bar icon,\\n"
            "- \"Launch All\" item in category's menu.\n"
            "More\n"
            "  Launch at Startup\n"
            "  Check for Updates\n"
            "  Questions/Problems/Suggestions\n"
            "Quit\n");
  auto pins = next.statusBar.shown();
  ASSERT_EQ(pins.size(), 2u);
  EXPECT_EQ(pins[1]->toolTip, "/Applications/Notes.app");

  EXPECT_TRUE(next.binder.press("Ctrl+Alt+N"));
  EXPECT_EQ(next.workspace.launched, (std::vector<std::string>{"/Applications/Notes.app"}));
  next.statusBar.click(*pins[1]);
  EXPECT_EQ(next.workspace.launched.back(), "/Applications/Notes.app");
}

}  // namespace
}  // namespace wendaro
