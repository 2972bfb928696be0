#include "core/core_test_fixture.h"

namespace wendaro {
namespace {

class WindowsTest : public CoreTest {
 protected:
  void SetUp() override {
    install({"/Applications/Ledger.app", "/Applications/Zed.app", "/Applications/alpha.app"});
    start();
  }
  void select(long row) { desktop.categoriesTable.selected = row; }
  // The user renames a row in place and presses Return.
  bool rename(long row, const std::string& name) {
    desktop.categoriesTable.editColumn(0, row, true);
    return desktop.categoriesTable.commitEdit(name);
  }
  void bind(const Index& index) {
    app->shortcutsIndex = index;
    for (const auto& [target, key] : index) {
      app->bindLaunchShortcut(key, target, key.starts_with('c'));
      store(key, "Ctrl+Alt+" + key.substr(3));
    }
    app->saveShortcutsIndex();
  }
};

TEST_F(WindowsTest, AddingMakesUniquelyNamedEmptyCategoriesOpenForEditing) {
  app->categoriesApps["New Category"] = {"/Applications/Ledger.app"};  // stale: replaced
  for (int i = 0; i < 3; ++i) app->addCategory();
  EXPECT_EQ(menuTitles(true), (Paths{"New Category", "New Category 2", "New Category 3"}));
  EXPECT_EQ(stored(keys::kCategories), app->categories);
  EXPECT_TRUE(app->categoriesApps.at("New Category").empty());
  EXPECT_EQ(desktop.categoriesTable.selected, 2);
  EXPECT_EQ(desktop.categoriesTable.editingRow, 2);
}

// The members and the shortcut go with the name, made unique; a list or shortcut left under
// it without a category does not survive.
TEST_F(WindowsTest, RenamingMovesTheMembersAndTheShortcutToTheNewName) {
  app->categories = {"Work", "Play", "Bare"};
  app->categoriesApps = {{"Work", {"/A.app"}}, {"Play", {"/B.app"}}, {"Other", {}}};
  bind({{"Work", "csh1"}, {"Play", "csh2"}, {"Bare", "csh3"}, {"Other", "csh9"}});
  for (const auto& [row, name] : {std::pair<long, const char*>{0, "Work"}, {1, "Work"}, {0, "Office"}, {2, "Other"}}) {
    EXPECT_TRUE(rename(row, name));
  }
  EXPECT_EQ(menuTitles(true), (Paths{"Office", "Work 2", "Other"}));
  EXPECT_EQ(asStringArrayDictionary(desktop.defaults.values.at(keys::kCategoriesApps)),
            (std::map<std::string, Paths>{{"Office", {"/A.app"}}, {"Work 2", {"/B.app"}}}));
  EXPECT_EQ(storedIndex(), (Index{{"Office", "csh1"}, {"Work 2", "csh2"}, {"Other", "csh3"}}));
  EXPECT_EQ(desktop.defaults.values.count("csh9"), 0u);
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+1"));
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+2"));
  EXPECT_EQ(desktop.workspace.launched, (Paths{"/A.app", "/B.app"}));
}

// An Apps window open for a category goes on managing it under its new name; one open for the
// built-in category of the same name is left alone.
TEST_F(WindowsTest, TheAppsWindowFollowsItsCategoryToItsNewName) {
  app->categories = {"Work", "Favorites"};
  app->categoriesApps = {{"Work", {"/Applications/Zed.app"}}, {"Favorites", {}}};
  manage("Work", false);
  EXPECT_TRUE(rename(0, "Office"));
  EXPECT_EQ(desktop.appsWindow.title(), "Office");
  tick("/Applications/Ledger.app", true);
  EXPECT_EQ(asStringArrayDictionary(desktop.defaults.values.at(keys::kCategoriesApps))->at("Office"),
            (Paths{"/Applications/Zed.app", "/Applications/Ledger.app"}));
  manage("Favorites", true);
  EXPECT_TRUE(rename(1, "Starred"));
  EXPECT_EQ(desktop.appsWindow.title(), "Favorites");
}

// Its shortcut goes with it; that of an app named like it stays. Removing while a name is
// typed applies it first.
TEST_F(WindowsTest, RemovingDropsTheSelectedCategoryWithItsShortcut) {
  const std::string ledger = "/Applications/Ledger.app";
  app->categories = {"Work", "Play", ledger};
  app->categoriesApps = {{"Work", {ledger}}, {"Play", {}}, {ledger, {ledger}}};
  bind({{"Work", "csh1"}, {"Play", "csh2"}, {ledger, "ash3"}});
  for (long row : {-1L, 3L}) {
    select(row);
    app->removeCategory();
  }
  select(0);
  app->removeCategory();
  EXPECT_EQ(menuTitles(true), (Paths{"Play", ledger}));
  EXPECT_EQ(storedIndex(), (Index{{"Play", "csh2"}, {ledger, "ash3"}}));
  EXPECT_FALSE(desktop.binder.isBound("csh1"));
  EXPECT_EQ(desktop.defaults.values.count("csh1"), 0u);
  select(1);
  app->removeCategory();
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+3"));
  EXPECT_EQ(desktop.workspace.launched, Paths{ledger});

  app->categories = {"Work", "Play"};
  app->categoriesApps = {{"Work", {}}, {"Play", {ledger}}};
  desktop.categoriesTable.editColumn(0, 0, true);
  desktop.categoriesTable.cell.text = "Play";  // typed, not yet confirmed
  app->removeCategory();
  EXPECT_EQ(app->categoriesApps, (std::map<std::string, Paths>{{"Play", {ledger}}})) << "'Play 2' was removed";
}

TEST_F(WindowsTest, MovesSwapNeighboursAndStopAtTheEnds) {
  const std::tuple<long, bool, Paths, long> cases[] = {
      {1, true, {"B", "A", "C"}, 0},  {1, false, {"A", "C", "B"}, 2},   {0, true, {"A", "B", "C"}, 0},
      {2, false, {"A", "B", "C"}, 2}, {-1, false, {"A", "B", "C"}, -1}, {7, true, {"A", "B", "C"}, 7}};
  for (const auto& [selected, up, after, selectedAfter] : cases) {
    app->categories = {"A", "B", "C"};
    app->saveCategories();
    select(selected);
    up ? app->moveUpCategory() : app->moveDownCategory();
    EXPECT_EQ(stored(keys::kCategories), after) << selected << (up ? " up" : " down");
    EXPECT_EQ(desktop.categoriesTable.selected, selectedAfter);
  }
}

// The Apps window ticks the members of its list; a tick adds at the end, an untick removes
// the first. A user category named like a built-in one has its own members.
TEST_F(WindowsTest, TheAppsWindowTicksTheMembersOfItsList) {
  EXPECT_EQ(desktop.appsTable.column("Name"), (std::vector<TableValue>{"alpha", "Ledger", "Zed"}));
  app->favorites = {"/Applications/Ledger.app", "/Applications/Zed.app", "/Applications/Ledger.app"};
  manage("Favorites", true);
  EXPECT_EQ(desktop.appsTable.column("Display"), (std::vector<TableValue>{false, true, true}));
  tick("/Applications/Ledger.app", false);
  tick("/Applications/alpha.app", true);
  EXPECT_EQ(stored(keys::kFavorites),
            (Paths{"/Applications/Zed.app", "/Applications/Ledger.app", "/Applications/alpha.app"}));
  EXPECT_EQ(menuTitles(false), (Paths{"alpha", "Ledger", "Zed"}));

  app->categories = {"Favorites"};
  app->categoriesApps = {{"Favorites", {}}};
  manage("Favorites", false);
  tick("/Applications/Zed.app", true);
  EXPECT_EQ(app->categoriesApps.at("Favorites"), Paths{"/Applications/Zed.app"});
  EXPECT_EQ(app->favorites.size(), 3u);

  manage("Menu Bar", true);
  tick("/Applications/Zed.app", true);
  tick("/Applications/Ledger.app", true);
  EXPECT_EQ(pinTips(), (Paths{"", "Zed", "Ledger"}));
}

// Chosen items are appended with their grants; a grant that cannot be made stops the add.
// Removing an entry drops every grant of its path and prunes what its apps left.
TEST_F(WindowsTest, DirectoriesAreAddedWithTheirGrantsAndRemoved) {
  install({"/Users/me/Apps/Tool.app", "/Users/me/More/Other.app"});
  app->favorites = {"/Applications/Ledger.app", "/System/Applications/Abacus.app"};
  desktop.openPanels.nextChosenPaths = {"/Users/me/More", "/Users/me/Apps", "/Users/me/More", "/Elsewhere/Direct.app"};
  app->addDirectory();
  EXPECT_EQ(stored(keys::kDirectories), (Paths{"/Applications", "/System/Applications", "/Users/me/More",
                                               "/Users/me/Apps", "/Users/me/More", "/Elsewhere/Direct.app"}));

  desktop.directoriesTable.selected = 4;
  app->removeDirectory();
  desktop.directoriesTable.selected = 0;
  app->removeDirectory();
  EXPECT_EQ(stored(keys::kDirectories),
            (Paths{"/System/Applications", "/Users/me/More", "/Users/me/Apps", "/Elsewhere/Direct.app"}));
  EXPECT_EQ(app->bookmarks, (std::vector<Value::Data>{fake::FakeAccessGrants::blobFor("/Users/me/Apps"),
                                                      fake::FakeAccessGrants::blobFor("/Elsewhere/Direct.app")}));
  EXPECT_EQ(stored(keys::kFavorites), Paths{"/System/Applications/Abacus.app"}) << "not there: not gone";

  desktop.accessGrants.creationFailsFor = {"/Users/me/Apps"};
  desktop.openPanels.nextChosenPaths = {"/Users/me/More", "/Users/me/Apps"};
  desktop.log.clear();
  app->addDirectory();
  EXPECT_EQ(app->directories.back(), "/Users/me/More");
  EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty());
}

// Centred on the main icon's left edge, ten points below it.
// A grant that does not resolve stays; a stale one and one resolving to an excluded path go,
// paths compared byte for byte (a decomposed "Äpps" is another name than the composed one).
TEST_F(WindowsTest, StoredGrantsResolveInOrderAndStaleOrExcludedOnesGo) {
  const auto blob = fake::FakeAccessGrants::blobFor;
  const std::string decomposed = "/A\xCC\x88pps", staleText = "stale:/Moved";
  const Value::Data broken{9, 9}, stale(staleText.begin(), staleText.end());
  app->bookmarks = {blob("/B"), broken, stale, blob(decomposed), blob("/A"), blob("/A")};
  app->resolveBookmarks({"/A", "/\xC3\x84pps", decomposed + "/"});
  EXPECT_EQ(app->bookmarks, (std::vector<Value::Data>{blob("/B"), broken, blob(decomposed)}));
  Paths resolved;
  for (const auto& url : app->bookmarkURLs) resolved.push_back(url.path());
  EXPECT_EQ(resolved, (Paths{"/B", decomposed}));
}

TEST_F(WindowsTest, WindowsOpenBelowTheMainIcon) {
  desktop.categoriesWindow.frame_ = Rect{{5, 5}, {400, 300}};
  app->showCategoriesWindow();
  EXPECT_EQ(desktop.categoriesWindow.frame(), (Rect{{800, 568}, {400, 300}}));
  desktop.mainStatusItem().fakeButton.frame.reset();
  desktop.directoriesWindow.frame_ = Rect{{5, 6}, {300, 200}};
  app->showDirectoriesWindow();
  EXPECT_EQ(desktop.directoriesWindow.frame().origin, (Point{5, 6})) << "where it was";
}

// The check mark, the stored flag and the autostart entry follow each
// other; a refused change is reported and the flag kept for the next start.
TEST_F(WindowsTest, LaunchAtStartupTogglesTheAutostartEntry) {
  MenuItem& item = *app->launchAtStartupMenuItem;
  app->performMenuItemAction(item);
  EXPECT_EQ(item.state(), kControlStateOn);
  EXPECT_EQ(desktop.loginItems.enabled, true);
  EXPECT_TRUE(desktop.standardOutput.lines.empty());
  desktop.loginItems.succeeds = false;
  app->launchAtStartup(item);
  EXPECT_EQ(desktop.standardOutput.lines, Paths{"Changing login item status failed."});
  EXPECT_EQ(item.state(), kControlStateOff);
  EXPECT_FALSE(desktop.defaults.boolForKey(keys::kLaunchAtStartup));
}

}  // namespace
}  // namespace wendaro
