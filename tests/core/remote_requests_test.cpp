#include "core/core_test_fixture.h"
#include "launch/remote_requests.h"

namespace wendaro {
namespace {

using fake::FakeStatusItem;
using Paths = std::vector<std::string>;

class RemoteRequestsTest : public CoreTest {
 protected:
  void SetUp() override {
    app->allApps = {"/A/Catalogued.app"};
    app->favorites = {"/Elsewhere/Favourite.app"};
    app->menubar = {"/Elsewhere/Pinned.app"};
    app->categories = {"Work", "Empty"};
    app->categoriesApps = {{"Work", {"/Elsewhere/Member.app", "/A/Catalogued.app"}}, {"Stale", {"/S/Stale.app"}}};
    app->setUpMenus();
  }
  FakeStatusItem& mainIcon() { return desktop.mainStatusItem(); }
};

TEST_F(RemoteRequestsTest, LaunchesOnlyAppsAndCategoriesTheMenusLaunch) {
  struct Case {
    std::string appPath;
    RequestOutcome outcome;
  };
  const Case cases[] = {
      {"/A/Catalogued.app", RequestOutcome::Done},
      {"/Elsewhere/Favourite.app", RequestOutcome::Done},
      {"/Elsewhere/Pinned.app", RequestOutcome::Done},
      {"/Elsewhere/Member.app", RequestOutcome::Done},
      {"/S/Stale.app", RequestOutcome::Done},  // a member of a category that has no entry
      {"/A/Unknown.app", RequestOutcome::UnknownApp},
      {"/A/Catalogued.app/", RequestOutcome::UnknownApp},
      {"", RequestOutcome::UnknownApp},
  };
  for (const Case& c : cases) {
    desktop.workspace.launched.clear();
    EXPECT_EQ(launchKnownApp(*app, c.appPath).outcome, c.outcome) << c.appPath;
    EXPECT_EQ(desktop.workspace.launched, c.outcome == RequestOutcome::Done ? Paths{c.appPath} : Paths{}) << c.appPath;
  }
  // File names are bytes: another Unicode form of the name is another file.
  app->allApps = {"/A/Caf\xC3\xA9.app"};
  EXPECT_EQ(launchKnownApp(*app, "/A/Cafe\xCC\x81.app").outcome, RequestOutcome::UnknownApp);

  desktop.workspace.launched.clear();
  desktop.events.flags = kOptionKeyMask;  // no Option test: the request launches
  EXPECT_EQ(launchKnownCategory(*app, "Work").outcome, RequestOutcome::Done);
  EXPECT_EQ(desktop.workspace.launched, (Paths{"/Elsewhere/Member.app", "/A/Catalogued.app"}));
  EXPECT_EQ(launchKnownCategory(*app, "Empty").outcome, RequestOutcome::Done);
  EXPECT_EQ(launchKnownCategory(*app, "Stale").outcome, RequestOutcome::UnknownCategory);
  EXPECT_EQ(launchKnownCategory(*app, "Favorites").outcome, RequestOutcome::UnknownCategory);
  EXPECT_EQ(desktop.workspace.launched.size(), 2u);
  EXPECT_FALSE(desktop.shortcutWindow.visible);
}

TEST_F(RemoteRequestsTest, OpensTheMainMenuAsAPlainClickAndLeavesAnOpenOneOpen) {
  desktop.events.flags = kOptionKeyMask;
  openMainMenu(*app);
  EXPECT_EQ(desktop.statusBar.openMenu, app->menubarMenu.get());
  EXPECT_TRUE(mainIcon().fakeButton().highlighted);
  EXPECT_FALSE(desktop.shortcutWindow.visible);

  desktop.log.clear();
  openMainMenu(*app);
  EXPECT_EQ(desktop.statusBar.openMenu, app->menubarMenu.get());
  EXPECT_TRUE(desktop.log.all().empty()) << "nothing pops up a second time";
  desktop.statusBar.closeMenu();
  EXPECT_FALSE(mainIcon().fakeButton().highlighted);
}

TEST_F(RemoteRequestsTest, ShowsTheWindowsOfTheManageMenu) {
  struct Case {
    std::string title;
    fake::FakeWindow* window;
    std::string windowTitle;
  };
  const Case cases[] = {
      {"Favorites", &desktop.appsWindow, "Favorites"},
      {"Menu Bar", &desktop.appsWindow, "Menu Bar"},
      {"Categories", &desktop.categoriesWindow, ""},
      {"Directories", &desktop.directoriesWindow, ""},
  };
  for (const Case& c : cases) {
    c.window->visible = false;
    EXPECT_EQ(showManagementWindow(*app, c.title), RequestOutcome::Done) << c.title;
    EXPECT_TRUE(c.window->visible) << c.title;
    if (!c.windowTitle.empty()) {
      EXPECT_EQ(c.window->title(), c.windowTitle);
    }
  }
  EXPECT_TRUE(app->managingHardcodedCategory);
  for (const char* title : {"Keyboard", "Work", "favorites", ""}) {
    EXPECT_EQ(showManagementWindow(*app, title), RequestOutcome::UnknownWindow) << title;
  }
}

TEST_F(RemoteRequestsTest, NamesEachShortcutKeyAsTheEditorTitlesIt) {
  app->shortcutsIndex = {{"/A/Mail.app", "ash1"}, {"Work", "csh2"}};
  EXPECT_EQ(shortcutTitle(*app, "WendaroMenu"), "Wendaro's Menu");
  EXPECT_EQ(shortcutTitle(*app, "ash1"), "Mail");
  EXPECT_EQ(shortcutTitle(*app, "csh2"), "Work");
  EXPECT_EQ(shortcutTitle(*app, "ash3"), "");
}

}  // namespace
}  // namespace wendaro
