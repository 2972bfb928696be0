#include "core/core_test_fixture.h"
#include "launch/option_key.h"
#include "settings/defaults_keys.h"

namespace wendaro {
namespace {

using fake::FakeStatusItem;
using Paths = std::vector<std::string>;

TEST(OptionTest, TrueOnlyForOptionAlone) {
  struct Case {
    ModifierFlags flags;
    bool expected;
  };
  for (const Case& c : {Case{0, false}, Case{kOptionKeyMask, true}, Case{kOptionKeyMask | kShiftKeyMask, false},
                        Case{kOptionKeyMask | kCommandKeyMask, false}, Case{kOptionKeyMask | kControlKeyMask, false},
                        Case{kShiftKeyMask, false}, Case{kOptionKeyMask | (1u << 16), false}}) {
    EXPECT_EQ(isOptionOnly(c.flags), c.expected) << std::hex << c.flags;
  }
}

class LaunchingTest : public CoreTest {
 protected:
  static WendaroMenuItemRef entry(std::optional<std::string> launchString) {
    auto item = std::make_shared<WendaroMenuItem>("Entry", Action::LaunchAppWithItem, "");
    item->launchString = std::move(launchString);
    return item;
  }
  FakeStatusItem& mainIcon() { return desktop.mainStatusItem(); }
};

TEST_F(LaunchingTest, AppEntryLaunchesUnlessOptionAloneIsHeld) {
  const auto mail = entry("/Applications/Mail.app");

  app->launchAppWithItem(mail.get());
  EXPECT_EQ(desktop.workspace.launched, Paths{"/Applications/Mail.app"});

  desktop.events.flags = kOptionKeyMask | kShiftKeyMask;
  app->launchAppWithItem(mail.get());
  EXPECT_EQ(desktop.workspace.launched.size(), 2u);
  EXPECT_FALSE(desktop.shortcutWindow.visible);

  desktop.events.flags = kOptionKeyMask;
  app->launchAppWithItem(mail.get());
  EXPECT_EQ(desktop.workspace.launched.size(), 2u);
  EXPECT_TRUE(desktop.shortcutWindow.visible);
  EXPECT_EQ(desktop.shortcutWindow.title(), "Mail");
  EXPECT_TRUE(desktop.shortcutView.associatedKey.starts_with("ash"));
}

TEST_F(LaunchingTest, LaunchAllLaunchesMembersInStoredOrder) {
  app->categoriesApps["Work"] = {"/A/Zed.app", "/Elsewhere/Gone.app", "/A/Alpha.app"};
  const auto work = entry("Work");
  app->launchCategoryWithItem(work.get());
  EXPECT_EQ(desktop.workspace.launched, (Paths{"/A/Zed.app", "/Elsewhere/Gone.app", "/A/Alpha.app"}));

  desktop.workspace.launched.clear();
  desktop.events.flags = kOptionKeyMask;
  app->launchCategoryWithItem(work.get());
  EXPECT_TRUE(desktop.workspace.launched.empty());
  EXPECT_EQ(desktop.shortcutWindow.title(), "Work");
  EXPECT_TRUE(desktop.shortcutView.associatedKey.starts_with("csh"));
}

TEST_F(LaunchingTest, NothingToLaunchDoesNothing) {
  app->categoriesApps["Empty"] = {};
  for (const char* category : {"Empty", "Unlisted"}) {
    const auto item = entry(category);
    app->launchCategoryWithItem(item.get());
  }
  const auto blank = entry(std::nullopt);
  desktop.log.clear();
  for (ModifierFlags flags : {ModifierFlags{0}, kOptionKeyMask}) {
    desktop.events.flags = flags;
    app->launchAppWithItem(blank.get());
    app->launchCategoryWithItem(blank.get());
    app->launchAppWithItem(nullptr);
  }
  EXPECT_TRUE(desktop.workspace.launched.empty());
  EXPECT_TRUE(desktop.log.all().empty());
}

TEST_F(LaunchingTest, MainIconOpensTheMenuAndStaysHighlightedUntilItCloses) {
  app->setUpMenus();
  desktop.statusBar.mouseDown(mainIcon());
  EXPECT_TRUE(mainIcon().fakeButton().highlighted);
  EXPECT_EQ(desktop.statusBar.openMenu, app->menubarMenu.get());
  EXPECT_EQ(desktop.statusBar.openMenuItem, &mainIcon());

  desktop.statusBar.mouseUp(mainIcon());
  EXPECT_TRUE(mainIcon().fakeButton().highlighted);

  desktop.log.clear();
  desktop.statusBar.closeMenu();
  EXPECT_FALSE(mainIcon().fakeButton().highlighted);
  EXPECT_EQ(desktop.log.matching("binder."), (Paths{"binder.bind WendaroMenu"}));
  EXPECT_TRUE(desktop.workspace.launched.empty());
}

TEST_F(LaunchingTest, OptionClickOnTheMainIconOpensTheEditorForTheMenu) {
  app->setUpMenus();
  desktop.events.flags = kOptionKeyMask;
  desktop.statusBar.click(mainIcon());
  EXPECT_FALSE(mainIcon().fakeButton().highlighted);
  EXPECT_EQ(desktop.statusBar.openMenu, nullptr);
  EXPECT_TRUE(desktop.shortcutWindow.visible);
  EXPECT_EQ(desktop.shortcutWindow.title(), "Wendaro's Menu");
}

TEST_F(LaunchingTest, PinnedIconLaunchesOnMouseDownAndIsHighlightedUntilMouseUp) {
  app->menubar = {"/A/One.app", "/A/Two.app"};
  app->rebuildMenubarItems();

  desktop.statusBar.mouseDown(pinned(1));
  EXPECT_EQ(desktop.workspace.launched, Paths{"/A/Two.app"});
  EXPECT_TRUE(pinned(1).fakeButton().highlighted);
  EXPECT_EQ(desktop.statusBar.openMenu, nullptr);
  desktop.statusBar.mouseUp(pinned(1));
  EXPECT_FALSE(pinned(1).fakeButton().highlighted);

  desktop.events.flags = kOptionKeyMask;
  desktop.statusBar.click(pinned(0));
  EXPECT_EQ(desktop.workspace.launched.size(), 1u);
  EXPECT_EQ(desktop.shortcutWindow.title(), "One");
  EXPECT_EQ(app->shortcutsIndex.count("/A/One.app"), 1u);
}

// Only the primary button launches; the secondary one opens the icon's menu,
// whose entries edit the app's shortcut or unpin it.
TEST_F(LaunchingTest, RightClickOnAPinnedIconOpensItsMenu) {
  app->setUpMenus();
  app->menubar = {"/A/One.app", "/A/two.desktop"};
  app->appTitles.set("/A/two.desktop", "Two");
  app->rebuildMenubarItems();

  desktop.statusBar.rightMouseDown(pinned(1));
  EXPECT_TRUE(desktop.workspace.launched.empty());
  ASSERT_EQ(desktop.statusBar.openMenu, app->pinnedAppMenus[1].get());
  EXPECT_EQ(desktop.statusBar.openMenuItem, &pinned(1));
  EXPECT_EQ(pinned(1).fakeButton().menu, app->pinnedAppMenus[1].get()) << "for desktops that show it themselves";
  EXPECT_EQ(pinned(0).fakeButton().menu, app->pinnedAppMenus[0].get());
  const Menu& menu = *app->pinnedAppMenus[1];
  ASSERT_EQ(menu.numberOfItems(), 4);
  EXPECT_EQ(menu.itemAtIndex(0)->title(), "Two");
  EXPECT_EQ(menu.itemAtIndex(0)->action(), Action::None) << "a title, not a command";
  EXPECT_TRUE(menu.itemAtIndex(1)->isSeparatorItem());
  desktop.statusBar.closeMenu();

  app->performMenuItemAction(*menu.itemAtIndex(2));
  EXPECT_EQ(desktop.shortcutWindow.title(), "Two");
  EXPECT_EQ(app->shortcutsIndex.count("/A/two.desktop"), 1u);

  desktop.log.clear();
  app->performMenuItemAction(*menu.itemAtIndex(3));
  EXPECT_EQ(app->menubar, Paths{"/A/One.app"});
  EXPECT_EQ(stored(keys::kMenubar), Paths{"/A/One.app"});
  EXPECT_EQ(desktop.statusBar.shown().size(), 2u) << "the main icon and One's";
  EXPECT_TRUE(desktop.workspace.launched.empty());

  desktop.statusBar.rightMouseDown(mainIcon());
  EXPECT_EQ(desktop.statusBar.openMenu, app->menubarMenu.get()) << "the main icon opens the main menu";
}

// Alt+Return on a highlighted entry opens the editor that an Alt-click on it
// would; elsewhere in a menu it opens the main menu's.
TEST_F(LaunchingTest, TheKeyboardReachesTheShortcutEditorOfEveryEntry) {
  auto mail = entry("/Applications/Mail.app");
  auto launchAll = entry("Work");
  launchAll->setAction(Action::LaunchCategoryWithItem);
  auto manageEntry = entry("Work");
  manageEntry->setAction(Action::ShowAppsWindow);
  const struct {
    const MenuItem* entry;
    const char* title;
    const char* keyPrefix;
  } cases[] = {
      {mail.get(), "Mail", "ash"},
      {launchAll.get(), "Work", "csh"},
      {manageEntry.get(), "Wendaro's Menu", "WendaroMenu"},
      {nullptr, "Wendaro's Menu", "WendaroMenu"},
  };
  for (const auto& c : cases) {
    app->performShortcutEditing(c.entry);
    EXPECT_TRUE(desktop.shortcutWindow.visible);
    EXPECT_EQ(desktop.shortcutWindow.title(), c.title);
    EXPECT_TRUE(desktop.shortcutView.associatedKey.starts_with(c.keyPrefix)) << desktop.shortcutView.associatedKey;
  }
  EXPECT_TRUE(desktop.workspace.launched.empty());
}

TEST_F(LaunchingTest, ButtonOfNoPinnedAppOnlyHighlights) {
  app->menubar = {"/A/One.app", "/A/Two.app"};
  app->rebuildMenubarItems();
  app->menubar.pop_back();  // changed without a rebuild: icon 1 has no path any more
  auto& stray = pinned(1);

  desktop.statusBar.mouseDown(stray);
  EXPECT_TRUE(stray.fakeButton().highlighted);
  desktop.statusBar.mouseUp(stray);
  EXPECT_FALSE(stray.fakeButton().highlighted);
  app->launchAppWithButton(stray.fakeButton());
  EXPECT_TRUE(desktop.workspace.launched.empty());
}

TEST_F(LaunchingTest, ButtonActionLaunchesWithoutTouchingTheHighlight) {
  app->menubar = {"/A/One.app"};
  app->rebuildMenubarItems();
  desktop.log.clear();
  app->launchAppWithButton(pinned(0).fakeButton());
  EXPECT_EQ(desktop.workspace.launched, Paths{"/A/One.app"});
  EXPECT_TRUE(desktop.log.matching("statusButton").empty());
}

}  // namespace
}  // namespace wendaro
