#include "core/core_test_fixture.h"
#include "settings/defaults_keys.h"

namespace wendaro {
namespace {

using fake::FakeAccessGrants;

class DirectoryActionsTest : public CoreTest {
 protected:
  void SetUp() override {
    install({"/Applications/Mail.app", "/Users/me/Apps/Tool.app", "/Users/me/More/Other.app"});
    start();
  }
  void choose(std::vector<std::string> paths) { desktop.openPanels.nextChosenPaths = std::move(paths); }
  std::vector<std::string> allAppsTitles() {
    std::vector<std::string> titles;
    for (const auto& item : app->allAppsMenu->items()) titles.push_back(item->title());
    return titles;
  }
};

TEST_F(DirectoryActionsTest, AddConfiguresThePanelInOrder) {
  app->addDirectory();
  EXPECT_EQ(desktop.log.matching("panel."),
            (std::vector<std::string>{"panel.new", "panel.setPrompt Add", "panel.setWorksWhenModal 1",
                                      "panel.setAllowsMultipleSelection 1", "panel.setCanChooseDirectories 1",
                                      "panel.setCanChooseFiles 1", "panel.setAllowedFileTypes app",
                                      "panel.setResolvesAliases 1", "panel.setTitle Add Directory",
                                      "panel.setMessage Select Apps or Directories", "panel.runModal"}));
}

TEST_F(DirectoryActionsTest, CancellingStillReloadsSavesRescansAndRefreshes) {
  desktop.log.clear();
  app->addDirectory();
  EXPECT_EQ(app->directories, desktop.appKinds.defaults);
  const long reload = positionOf("table[directories].reloadData");
  const long save = positionOf("defaults.setObject directories");
  const long grants = positionOf("defaults.setObject bookmarks");
  const long scan = positionOf("table[apps].reloadData");
  const long prune = positionOf("defaults.setObject favorites");
  EXPECT_LT(reload, save);
  EXPECT_LT(save, grants);
  EXPECT_LT(grants, scan);
  EXPECT_LT(scan, prune);
  EXPECT_LT(prune, static_cast<long>(desktop.log.all().size()));
}

TEST_F(DirectoryActionsTest, ChosenItemsAreAppendedInPanelOrderWithTheirGrants) {
  choose({"/Users/me/More", "/Users/me/Apps", "/Elsewhere/Direct.app"});
  app->addDirectory();
  EXPECT_EQ(app->directories, (std::vector<std::string>{"/Applications", "/System/Applications", "/Users/me/More",
                                                        "/Users/me/Apps", "/Elsewhere/Direct.app"}));
  EXPECT_EQ(app->bookmarks, (std::vector<Value::Data>{FakeAccessGrants::blobFor("/Users/me/More"),
                                                      FakeAccessGrants::blobFor("/Users/me/Apps"),
                                                      FakeAccessGrants::blobFor("/Elsewhere/Direct.app")}));
  EXPECT_TRUE(app->bookmarkURLs.empty()) << "new grants are used from the next resolution on";
  EXPECT_EQ(stored(keys::kDirectories), app->directories);
  EXPECT_TRUE(contains(app->allApps, "/Elsewhere/Direct.app")) << "a chosen app is catalogued without existing";
  EXPECT_TRUE(contains(app->allApps, "/Users/me/Apps/Tool.app"));
  EXPECT_TRUE(contains(allAppsTitles(), "Other"));
}

TEST_F(DirectoryActionsTest, AFailedGrantStopsTheAddKeepingEarlierItemsUnsaved) {
  desktop.accessGrants.creationFailsFor = {"/Users/me/Apps"};
  choose({"/Users/me/More", "/Users/me/Apps", "/Elsewhere"});
  desktop.log.clear();
  app->addDirectory();
  EXPECT_EQ(app->directories.back(), "/Users/me/More");
  EXPECT_EQ(app->bookmarks.size(), 1u);
  EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty());
  EXPECT_TRUE(desktop.log.matching("table[").empty());
  EXPECT_FALSE(contains(app->allApps, "/Users/me/More/Other.app")) << "no rescan";
}

// An app below a listed directory that is not there stays.
TEST_F(DirectoryActionsTest, RemovingTheSelectedEntryPrunesWhatItsAppsLeft) {
  app->favorites = {"/Applications/Mail.app", "/System/Applications/Calculator.app"};
  app->menubar = {"/Applications/Mail.app"};
  app->rebuildMenubarItems();
  desktop.directoriesTable.selected = 0;
  app->removeDirectory();
  EXPECT_EQ(app->directories, (std::vector<std::string>{"/System/Applications"}));
  EXPECT_EQ(app->favorites, (std::vector<std::string>{"/System/Applications/Calculator.app"}));
  EXPECT_EQ(stored(keys::kFavorites), app->favorites);
  EXPECT_EQ(desktop.statusBar.shown().size(), 1u) << "the pin's icon goes with the app";
  EXPECT_EQ(allAppsTitles(), (std::vector<std::string>{"No apps found in chosen Directories", "Manage"}));
}

TEST_F(DirectoryActionsTest, RemovingOneOfTwoEqualEntriesDropsEveryGrantOfThatPath) {
  choose({"/Users/me/Apps", "/Users/me/Apps", "/Users/me/More"});
  app->addDirectory();
  desktop.directoriesTable.selected = 2;
  app->removeDirectory();
  EXPECT_EQ(app->directories, (std::vector<std::string>{"/Applications", "/System/Applications", "/Users/me/Apps",
                                                        "/Users/me/More"}));
  EXPECT_EQ(app->bookmarks, (std::vector<Value::Data>{FakeAccessGrants::blobFor("/Users/me/More")}));
  ASSERT_EQ(app->bookmarkURLs.size(), 1u);
  EXPECT_EQ(app->bookmarkURLs[0].path(), "/Users/me/More");
}

TEST_F(DirectoryActionsTest, RemovingWithoutAValidSelectionDoesNothing) {
  for (long row : {-1L, 2L, 99L}) {
    desktop.directoriesTable.selected = row;
    desktop.log.clear();
    app->removeDirectory();
    EXPECT_EQ(app->directories, desktop.appKinds.defaults);
    EXPECT_TRUE(desktop.log.all().empty());
  }
}

TEST_F(DirectoryActionsTest, RemovingTheLastEntryLeavesAnEmptyList) {
  for (int i = 0; i < 2; ++i) {
    desktop.directoriesTable.selected = 0;
    app->removeDirectory();
  }
  EXPECT_TRUE(app->directories.empty());
  EXPECT_EQ(desktop.defaults.values.at(keys::kDirectories), Value(Value::Array{}));
  EXPECT_TRUE(app->allApps.empty());
}

// An app below a default directory that is not there stays.
TEST_F(DirectoryActionsTest, RevertDropsTheGrantsOfListedPathsOnly) {
  choose({"/Applications", "/Users/me/Apps"});
  app->addDirectory();
  app->favorites = {"/Users/me/Apps/Tool.app", "/System/Applications/Calculator.app"};
  const Value::Data orphan = FakeAccessGrants::blobFor("/Not/Listed");
  const Value::Data broken{1, 2, 3};
  app->bookmarks.push_back(orphan);
  app->bookmarks.push_back(broken);
  app->revertDirectioriesToDefaults();
  EXPECT_EQ(app->directories, desktop.appKinds.defaults);
  EXPECT_EQ(app->bookmarks, (std::vector<Value::Data>{orphan, broken}));
  EXPECT_EQ(stored(keys::kDirectories), desktop.appKinds.defaults);
  EXPECT_EQ(app->favorites, (std::vector<std::string>{"/System/Applications/Calculator.app"}));
}

}  // namespace
}  // namespace wendaro
