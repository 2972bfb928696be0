#include "core/core_test_fixture.h"
#include "core/menu_contents.h"

namespace wendaro {
namespace {

const std::vector<std::string> kApps = {"/Applications/Mail.app", "/Applications/Notes.app", "/Applications/Zed.app",
                                        "/System/Applications/Calculator.app"};

using ScenarioTest = CoreTest;

// A user's first session from an empty store, then a restart on the same
// store: everything set comes back and the menus read the same.
TEST_F(ScenarioTest, EverythingSetInOneRunComesBackInTheNext) {
  for (const auto& path : kApps) desktop.fileSystem.addDirectory(path);
  start();

  // A category named "Work" with two apps, ticked in this order.
  app->addCategory();
  ASSERT_TRUE(desktop.categoriesTable.commitEdit("Work"));
  manage("Work", false);
  tick("/Applications/Zed.app", true);
  tick("/Applications/Mail.app", true);
  manage("Favorites", true);
  tick("/System/Applications/Calculator.app", true);
  manage("Menu Bar", true);
  tick("/Applications/Notes.app", true);
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
  for (const auto& path : kApps) next.fileSystem.addDirectory(path);
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
            "  Zed\n" +
                testing_support::kMainMenuEnd);
  auto pins = next.statusBar.shown();
  ASSERT_EQ(pins.size(), 2u);
  EXPECT_EQ(pins[1]->toolTip, "Notes");

  EXPECT_TRUE(next.binder.press("Ctrl+Alt+N"));
  EXPECT_EQ(next.workspace.launched, (std::vector<std::string>{"/Applications/Notes.app"}));
  next.statusBar.click(*pins[1]);
  EXPECT_EQ(next.workspace.launched.back(), "/Applications/Notes.app");
}

}  // namespace
}  // namespace wendaro
