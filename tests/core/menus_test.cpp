#include "core/core_test_fixture.h"
#include "core/menu_contents.h"
#include "menus/icon_scaling.h"

namespace wendaro {
namespace {

using fake::asFake;
using testing_support::kMainMenuEnd;

const Paths kApps = {"/Applications/Ledger.app", "/Applications/Quill.app", "/Applications/Zed.app",
                     "/System/Applications/Abacus.app"};

using MenusTest = CoreTest;

// A first session from an empty store, made through the menus and windows,
// then a restart on the same store: everything set comes back.
TEST_F(MenusTest, EverythingSetInOneRunComesBackInTheNext) {
  for (const auto& path : kApps) desktop.fileSystem.addDirectory(path);
  start();
  app->addCategory();
  ASSERT_TRUE(desktop.categoriesTable.commitEdit("Work"));
  manage("Work", false);
  tick("/Applications/Zed.app", true);
  tick("/Applications/Ledger.app", true);
  app->performMenuItemAction(*app->manageMenu->itemAtIndex(1));
  tick("/System/Applications/Abacus.app", true);
  EXPECT_EQ(menuTitles(false), Paths{"Abacus"}) << "shown at once";
  app->performMenuItemAction(*app->manageMenu->itemAtIndex(0));
  tick("/Applications/Quill.app", true);
  desktop.appsWindow.close();
  desktop.events.flags = kOptionKeyMask;
  app->performMenuItemAction(*entry("/Applications/Quill.app", Action::LaunchAppWithItem));
  desktop.events.flags = 0;
  desktop.shortcutView.record("Ctrl+Alt+N");
  desktop.shortcutWindow.close();
  app.reset();

  fake::FakeDesktop next;
  next.defaults.values = desktop.defaults.values;
  for (const auto& path : kApps) next.fileSystem.addDirectory(path);
  auto restarted = next.makeApplication();
  restarted->applicationDidFinishLaunching();
  EXPECT_EQ(fake::menuText(*restarted->menubarMenu),
            "Abacus\n---\nWork\n  Ledger\n  Zed\n  ---\n  Launch All\n  Manage\n"
            "All Apps\n  Abacus\n  Ledger\n  Quill\tCtrl+Alt+N\n  Zed\n" +
                kMainMenuEnd);
  EXPECT_EQ(restarted->categoriesApps.at("Work"), (Paths{"/Applications/Zed.app", "/Applications/Ledger.app"}))
      << "ticked order";
  EXPECT_TRUE(next.binder.press("Ctrl+Alt+N"));
  next.statusBar.click(*next.statusBar.shown().at(1));
  EXPECT_EQ(next.workspace.launched, (Paths{"/Applications/Quill.app", "/Applications/Quill.app"}));
}

// Favourites sort by name ignoring case; categories keep their order and list a sorted copy
// of their members; rebuilding a section replaces it and leaves the others alone.
TEST_F(MenusTest, SectionsAreBuiltAndRebuiltInPlace) {
  fake::FakeDesktop empty;
  auto made = empty.makeApplication();
  made->setUpMenus();
  EXPECT_EQ(fake::menuText(*made->menubarMenu),
            "---\nAll Apps\n  No apps found in chosen Directories\n  Manage\n" + kMainMenuEnd);
  app->allApps = {"/A/Ledger.app", "/A/Zed.app"};
  app->favorites = {"/A/zeta.app", "/A/Alpha.app", "/B/alpha.app", "/A/\xC3\x89mail.app", "/A/email.app"};
  app->categories = {"B", "A"};
  app->categoriesApps = {{"B", {"/B/ledger.app", "/A/Zed.app", "/A/Ledger.app", "/Elsewhere/Gone.app"}}};
  app->setUpMenus();
  const std::string categories =
      "B\n  Gone\n  ledger\n  Ledger\n  Zed\n  ---\n  Launch All\n  Manage\n"
      "A\n  ---\n  Launch All\n  Manage\n";
  const std::string allApps = "All Apps\n  Ledger\n  Zed\n";
  EXPECT_EQ(fake::menuText(*app->menubarMenu),
            "Alpha\nalpha\nemail\nzeta\n\xC3\x89mail\n---\n" + categories + allApps + kMainMenuEnd);

  app->favorites = {"/A/Four.app"};
  app->rebuildFavoriteItems();
  app->categories = {"C", "A"};
  app->rebuildCategoryItems();
  EXPECT_EQ(fake::menuText(*app->menubarMenu),
            "Four\n---\nC\n  ---\n  Launch All\n  Manage\nA\n  ---\n  Launch All\n  Manage\n" + allApps + kMainMenuEnd);
}

// Two apps of one title show the folders they are in; no other app does.
TEST_F(MenusTest, AppsOfTheSameTitleShowTheirFolders) {
  app->allApps = {"/Apps/Ledger.app", "/System/Ledger.app", "/Apps/ledger.app", "/Apps/Quill.app"};
  app->favorites = {"/System/Ledger.app", "/Apps/Quill.app", "/Apps/Ledger.app"};
  app->setUpMenus();
  for (const Menu* menu : {app->menubarMenu.get(), app->allAppsMenu.get()}) {
    Paths subtitles;
    for (const auto& item : menu->items()) subtitles.push_back(item->subtitle());
    subtitles.resize(4);
    EXPECT_EQ(subtitles, menu == app->allAppsMenu.get() ? (Paths{"/Apps", "/System", "", ""})
                                                        : (Paths{"/System", "/Apps", "", ""}));
  }
}

// App entries show their icon at 16 points, "Launch All" none, and their stored shortcut; an
// index entry whose shortcut was cleared is dropped with its stored key.
TEST_F(MenusTest, EntriesShowTheirIconAndShortcut) {
  desktop.workspace.icons["/A/Broken.app"] = std::make_shared<fake::FakeImage>("broken", Size{32, 32}, false);
  app->shortcutsIndex = {{"/A/Ledger.app", "ash525"}, {"Work", "csh70"}, {"/A/Quill.app", "ash1"}};
  store("ash525", "Meta+Shift+L");
  store("csh70", "Ctrl+Alt+W");
  store("ash1", "");
  auto ledger = app->makeMenuItem("/A/Ledger.app", false);
  ASSERT_TRUE(asFake(ledger->image()));
  EXPECT_EQ(asFake(ledger->image())->size(), (Size{16, 16}));
  EXPECT_EQ(asFake(asFake(ledger->image())->drawnSource)->name, "icon:/A/Ledger.app");
  EXPECT_EQ(ledger->keyEquivalent(), "L");
  EXPECT_EQ(ledger->keyEquivalentModifierMask(), kCommandKeyMask | kShiftKeyMask);
  EXPECT_FALSE(app->makeMenuItem("/A/Broken.app", false)->image());
  auto work = app->makeMenuItem("Work", true);
  EXPECT_EQ(work->title(), "Launch All");
  EXPECT_FALSE(work->image());
  EXPECT_EQ(work->keyEquivalentModifierMask(), kControlKeyMask | kOptionKeyMask);

  const Value storedIndex = stringDictionaryValue(app->shortcutsIndex);
  desktop.defaults.values[keys::kShortcutsIndex] = storedIndex;
  EXPECT_EQ(app->makeMenuItem("/A/Quill.app", false)->keyEquivalent(), "");
  EXPECT_EQ(app->shortcutsIndex.count("/A/Quill.app"), 0u);
  EXPECT_EQ(desktop.defaults.values.count("ash1"), 0u);
  EXPECT_EQ(desktop.defaults.values.at(keys::kShortcutsIndex), storedIndex) << "saved with the next change";
}

TEST_F(MenusTest, IconsAreScaledToFitTheirSquareAndCentred) {
  const std::tuple<Size, double, std::optional<Rect>> cases[] = {
      {{32, 32}, 16, Rect{{0, 0}, {16, 16}}},    {{64, 32}, 16, Rect{{0, 4}, {16, 8}}},
      {{32, 64}, 16, Rect{{4, 0}, {8, 16}}},     {{10, 40}, 24, Rect{{9, 0}, {6, 24}}},
      {{28, 7}, 14, Rect{{0, 5.25}, {14, 3.5}}}, {{16, 16}, 16, std::nullopt},
  };
  for (const auto& [image, side, expected] : cases) {
    EXPECT_EQ(iconDrawingRect(image, side), expected) << image.width << "x" << image.height << " at " << side;
  }
  for (Size unusable : {Size{0, 0}, Size{32, 0}}) {
    EXPECT_FALSE(app->resizeIcon(std::make_shared<fake::FakeImage>("", unusable), 16));
  }
}

// One icon per pinned app, titled by the app, replaced whole at every
// rebuild; its menu edits the app's shortcut or unpins it.
TEST_F(MenusTest, PinnedAppsGetOneIconEachAndAMenu) {
  app->setUpMenus();
  app->menubar = {"/A/Ledger.app", "/A/quill.desktop"};
  app->appTitles.set("/A/quill.desktop", "Quill");
  app->rebuildMenubarItems();
  app->rebuildMenubarItems();
  EXPECT_EQ(pinTips(), (Paths{"", "Ledger", "Quill"}));
  fake::FakeStatusItem& quill = *desktop.statusBar.shown().at(2);
  EXPECT_EQ(quill.action, Action::LaunchAppWithButton);
  EXPECT_EQ(asFake(asFake(quill.image)->drawnSource)->name, "icon:/A/quill.desktop");

  desktop.statusBar.rightMouseDown(quill);
  const Menu& menu = *app->pinnedAppMenus[1];
  ASSERT_EQ(desktop.statusBar.openMenu, &menu);
  EXPECT_EQ(quill.fakeButton.menu, &menu) << "for desktops that show it themselves";
  EXPECT_EQ(menu.itemAtIndex(0)->title(), "Quill");
  desktop.statusBar.closeMenu();
  app->performMenuItemAction(*menu.itemAtIndex(2));
  EXPECT_EQ(desktop.shortcutWindow.title(), "Quill");
  app->performMenuItemAction(*menu.itemAtIndex(3));
  EXPECT_EQ(stored(keys::kMenubar), Paths{"/A/Ledger.app"});
  EXPECT_EQ(pinTips(), (Paths{"", "Ledger"}));
  EXPECT_TRUE(desktop.workspace.launched.empty());
}

}  // namespace
}  // namespace wendaro
