#include "core/core_test_fixture.h"
#include "launch/remote_requests.h"

namespace wendaro {
namespace {

using LaunchingTest = CoreTest;

// A click on an entry launches; with Option alone held, or by Alt+Return on
// it, it opens the shortcut editor of what the entry launches instead.
TEST_F(LaunchingTest, EntriesLaunchOrOpenTheirShortcutEditor) {
  app->categoriesApps = {{"Work", {"/A/Zed.app", "/Elsewhere/Gone.app", "/A/Alpha.app"}}, {"Empty", {}}};
  // What each does: the apps launched, or the editor's title and the start of its key.
  const std::tuple<std::optional<std::string>, Action, ModifierFlags, bool, std::string> cases[] = {
      {"/A/Ledger.app", Action::LaunchAppWithItem, 0, false, "/A/Ledger.app "},
      {"/A/Ledger.app", Action::LaunchAppWithItem, kOptionKeyMask | kShiftKeyMask, false, "/A/Ledger.app "},
      {"/A/Ledger.app", Action::LaunchAppWithItem, kOptionKeyMask, false, "Ledger ash"},
      {"Work", Action::LaunchCategoryWithItem, 0, false, "/A/Zed.app /Elsewhere/Gone.app /A/Alpha.app "},
      {"Work", Action::LaunchCategoryWithItem, kOptionKeyMask, false, "Work csh"},
      {"Empty", Action::LaunchCategoryWithItem, 0, false, ""},
      {"Unlisted", Action::LaunchCategoryWithItem, 0, false, ""},
      {std::nullopt, Action::LaunchAppWithItem, kOptionKeyMask, false, ""},
      {"/A/Ledger.app", Action::LaunchAppWithItem, 0, true, "Ledger ash"},
      {"Work", Action::LaunchCategoryWithItem, 0, true, "Work csh"},
      {"Work", Action::ShowAppsWindow, 0, true, "Wendaro's Menu Wen"},
  };
  for (const auto& [launchString, action, flags, byKeyboard, expected] : cases) {
    auto item = entry("", action);
    item->launchString = launchString;
    desktop.events.flags = flags;
    desktop.shortcutWindow.visible = false;
    desktop.workspace.launched.clear();
    app->shortcutsIndex.clear();
    if (byKeyboard) {
      app->performShortcutEditing(item.get());
    } else {
      app->performMenuItemAction(*item);
    }
    std::string outcome;
    for (const auto& path : desktop.workspace.launched) outcome += path + " ";
    if (desktop.shortcutWindow.visible) {
      outcome += desktop.shortcutWindow.title() + " " + desktop.shortcutView.associatedKey.substr(0, 3);
    }
    EXPECT_EQ(outcome, expected) << launchString.value_or("(none)") << (byKeyboard ? " by keyboard" : "");
  }
}

// The main icon opens the menu, highlighted until it closes; its shortcut, let go while the
// menu is tracked, works again after. With Option held the icon opens the menu's editor.
TEST_F(LaunchingTest, TheMainIconAndShortcutOpenTheMenu) {
  fake::FakeStatusItem& icon = desktop.mainStatusItem();
  start();
  store(keys::kMenuShortcut, "Ctrl+Space");
  app->showShortcutWindow("/A/Ledger.app", false);
  desktop.statusBar.click(icon);
  EXPECT_FALSE(desktop.shortcutWindow.visible) << "the menu closes the shortcut editor";
  EXPECT_EQ(desktop.statusBar.openMenu, app->menubarMenu.get());
  EXPECT_TRUE(icon.fakeButton.highlighted);
  EXPECT_TRUE(desktop.binder.press("Ctrl+Space"));
  EXPECT_EQ(desktop.statusBar.openMenu, nullptr);
  EXPECT_FALSE(icon.fakeButton.highlighted);

  EXPECT_TRUE(desktop.binder.press("Ctrl+Space"));
  EXPECT_EQ(desktop.statusBar.openMenu, app->menubarMenu.get());
  EXPECT_FALSE(desktop.binder.press("Ctrl+Space")) << "inert while the menu it opened is tracked";
  desktop.statusBar.closeMenu();
  EXPECT_FALSE(icon.fakeButton.highlighted);
  EXPECT_TRUE(desktop.binder.press("Ctrl+Space"));
  desktop.statusBar.closeMenu();

  desktop.events.flags = kOptionKeyMask;
  desktop.statusBar.click(icon);
  EXPECT_EQ(desktop.statusBar.openMenu, nullptr);
  EXPECT_FALSE(icon.fakeButton.highlighted);
  EXPECT_EQ(desktop.shortcutWindow.title(), "Wendaro's Menu");
  desktop.events.flags = 0;
  desktop.statusBar.rightMouseDown(icon);
  EXPECT_EQ(desktop.statusBar.openMenu, app->menubarMenu.get());
}

// Remote requests launch only what the menus launch, byte for byte and
// without the Option test, and open the menu and the Manage menu's windows.
TEST_F(LaunchingTest, RemoteRequestsReachOnlyWhatTheMenusReach) {
  app->allApps = {"/A/Catalogued.app"};
  app->favorites = {"/Elsewhere/Favourite.app"};
  app->menubar = {"/Elsewhere/Pinned.app"};
  app->categories = {"Work", "Empty"};
  app->categoriesApps = {{"Work", {"/Elsewhere/Member.app"}}, {"Stale", {"/S/Stale.app"}}};
  app->setUpMenus();
  desktop.events.flags = kOptionKeyMask;
  const Paths apps = {"/A/Catalogued.app", "/Elsewhere/Favourite.app", "/Elsewhere/Pinned.app", "/Elsewhere/Member.app",
                      "/S/Stale.app",      "/A/Unknown.app",           "/A/Catalogued.app/",    ""};
  for (std::size_t i = 0; i < apps.size(); ++i) {
    EXPECT_EQ(launchKnownApp(*app, apps[i]).outcome, i < 5 ? RequestOutcome::Done : RequestOutcome::UnknownApp) << i;
  }
  const Paths categories = {"Work", "Empty", "Stale", "Favorites"};
  for (std::size_t i = 0; i < categories.size(); ++i) {
    EXPECT_EQ(launchKnownCategory(*app, categories[i]).outcome,
              i < 2 ? RequestOutcome::Done : RequestOutcome::UnknownCategory)
        << i;
  }
  EXPECT_EQ(desktop.workspace.launched, (Paths{"/A/Catalogued.app", "/Elsewhere/Favourite.app", "/Elsewhere/Pinned.app",
                                               "/Elsewhere/Member.app", "/S/Stale.app", "/Elsewhere/Member.app"}));
  openMainMenu(*app);
  openMainMenu(*app);
  EXPECT_EQ(desktop.statusBar.openMenu, app->menubarMenu.get());
  EXPECT_FALSE(desktop.shortcutWindow.visible);
  for (const auto& [title, window] : {std::pair<const char*, fake::FakeWindow*>{"Favorites", &desktop.appsWindow},
                                      {"Menu Bar", &desktop.appsWindow},
                                      {"Categories", &desktop.categoriesWindow},
                                      {"Directories", &desktop.directoriesWindow}}) {
    window->visible = false;
    EXPECT_EQ(showManagementWindow(*app, title), RequestOutcome::Done) << title;
    EXPECT_TRUE(window->visible) << title;
  }
  for (const char* title : {"Keyboard", "Work", "favorites"}) {
    EXPECT_EQ(showManagementWindow(*app, title), RequestOutcome::UnknownWindow) << title;
  }
  app->shortcutsIndex = {{"/A/Ledger.app", "ash1"}, {"Work", "csh2"}};
  EXPECT_EQ(shortcutTitle(*app, "WendaroMenu"), "Wendaro's Menu");
  EXPECT_EQ(shortcutTitle(*app, "ash1") + shortcutTitle(*app, "csh2") + shortcutTitle(*app, "ash3"), "LedgerWork");
}

}  // namespace
}  // namespace wendaro
