#include "core/core_test_fixture.h"
#include "settings/defaults_keys.h"

namespace wendaro {
namespace {

class AppsWindowTest : public CoreTest {
 protected:
  void SetUp() override {
    install({"/Applications/Mail.app", "/Applications/Zed.app", "/Applications/alpha.app"});
    start();
  }
  std::vector<TableValue> display() { return desktop.appsTable.column("Display"); }
};

TEST_F(AppsWindowTest, TablesShowTheirListsRowByRow) {
  app->categories = {"Work", "Play"};
  EXPECT_EQ(desktop.categoriesTable.column("anything"), (std::vector<TableValue>{"Work", "Play"}));
  EXPECT_EQ(desktop.directoriesTable.column("Path"),
            (std::vector<TableValue>{"/Applications", "/System/Applications"}));
  EXPECT_EQ(desktop.appsTable.column("Name"), (std::vector<TableValue>{"alpha", "Mail", "Zed"}));
  EXPECT_EQ(desktop.appsTable.column("Unknown"), (std::vector<TableValue>(3)));
  fake::FakeTableView stranger(desktop.log, "stranger");
  EXPECT_EQ(app->numberOfRowsInTableView(stranger), 0);
  EXPECT_EQ(app->tableViewObjectValueForTableColumnRow(desktop.appsTable, {"Name"}, 3), TableValue());
}

TEST_F(AppsWindowTest, IconColumnScalesTheIconTo24PointsOrShowsNothing) {
  desktop.workspace.icons["/Applications/Zed.app"] = std::make_shared<fake::FakeImage>("broken", Size{32, 32}, false);
  auto icons = desktop.appsTable.column("Icon");
  const auto* mail = fake::asFake(std::get<ImageRef>(icons[1]));
  ASSERT_TRUE(mail);
  EXPECT_EQ(mail->size(), (Size{24, 24}));
  EXPECT_EQ(mail->drawnInRect, (Rect{{0, 0}, {24, 24}}));
  EXPECT_EQ(icons[2], TableValue()) << "an icon that cannot be scaled shows nothing";
}

TEST_F(AppsWindowTest, TickingAFavouriteSavesItAndPlacesItByName) {
  manage("Favorites", true);
  const int reloads = desktop.appsTable.reloads;
  tick("/Applications/Zed.app", true);
  tick("/Applications/alpha.app", true);
  EXPECT_EQ(stored(keys::kFavorites), (std::vector<std::string>{"/Applications/Zed.app", "/Applications/alpha.app"}));
  EXPECT_EQ(favoriteTitles(), (std::vector<std::string>{"alpha", "Zed"}));
  EXPECT_EQ(display(), (std::vector<TableValue>{true, false, true}));
  EXPECT_EQ(desktop.appsTable.reloads, reloads) << "the clicked check box already shows its state";
}

TEST_F(AppsWindowTest, UntickingRemovesTheFirstOccurrenceAndAlwaysSaves) {
  app->favorites = {"/Applications/Mail.app", "/Applications/Zed.app", "/Applications/Mail.app"};
  manage("Favorites", true);
  tick("/Applications/Mail.app", false);
  EXPECT_EQ(app->favorites, (std::vector<std::string>{"/Applications/Zed.app", "/Applications/Mail.app"}));
  desktop.log.clear();
  tick("/Applications/alpha.app", false);
  EXPECT_EQ(desktop.log.matching("defaults.setObject"), (std::vector<std::string>{"defaults.setObject favorites"}));
  EXPECT_EQ(favoriteTitles(), (std::vector<std::string>{"Mail", "Zed"}));
}

TEST_F(AppsWindowTest, TickingInMenuBarRecreatesThePinnedIconsNewOneLast) {
  manage("Menu Bar", true);
  tick("/Applications/Zed.app", true);
  tick("/Applications/Mail.app", true);
  EXPECT_EQ(stored(keys::kMenubar), (std::vector<std::string>{"/Applications/Zed.app", "/Applications/Mail.app"}));
  auto shown = desktop.statusBar.shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1]->toolTip, "Zed");
  EXPECT_EQ(shown[2]->toolTip, "Mail");
  tick("/Applications/Zed.app", false);
  shown = desktop.statusBar.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1]->toolTip, "Mail");

  // Unpinned from its icon's menu, the app is unticked in the open window too.
  const int reloads = desktop.appsTable.reloads;
  app->removeFromMenuBarWithItem(static_cast<const WendaroMenuItem*>(app->pinnedAppMenus[0]->itemAtIndex(3).get()));
  EXPECT_EQ(desktop.appsTable.reloads, reloads + 1);
}

TEST_F(AppsWindowTest, UserCategoryNamedLikeABuiltInOneKeepsItsOwnMembers) {
  app->categories = {"Favorites"};
  app->categoriesApps = {{"Favorites", {}}};
  manage("Favorites", false);
  EXPECT_FALSE(app->managingHardcodedCategory);
  tick("/Applications/Mail.app", true);
  EXPECT_TRUE(app->favorites.empty());
  EXPECT_EQ(app->categoriesApps.at("Favorites"), (std::vector<std::string>{"/Applications/Mail.app"}));
  EXPECT_EQ(stored(keys::kCategories), (std::vector<std::string>{"Favorites"}));
  manage("Favorites", true);
  EXPECT_EQ(display(), (std::vector<TableValue>{false, false, false})) << "the built-in list is another one";
}

TEST_F(AppsWindowTest, UserCategoryWithoutAListShowsAndTakesNothingYetSaves) {
  app->categories = {"Loose"};
  manage("Loose", false);
  EXPECT_EQ(display(), (std::vector<TableValue>(3)));
  desktop.log.clear();
  tick("/Applications/Mail.app", true);
  EXPECT_EQ(app->categoriesApps.count("Loose"), 0u);
  EXPECT_EQ(desktop.log.matching("defaults.setObject"),
            (std::vector<std::string>{"defaults.setObject categories", "defaults.setObject categoriesApps"}));
}

TEST_F(AppsWindowTest, ToggleWithoutACheckBoxOrRowDoesNothing) {
  manage("Favorites", true);
  desktop.log.clear();
  desktop.appsTable.hasSelectedCell = false;
  app->toggleApp();
  desktop.appsTable.hasSelectedCell = true;
  desktop.appsTable.cell.isButton = false;
  app->toggleApp();
  desktop.appsTable.clickCheckBox(-1, true);
  app->toggleApp();
  desktop.appsTable.clickCheckBox(3, true);
  app->toggleApp();
  EXPECT_TRUE(desktop.log.all().empty());
  EXPECT_TRUE(app->favorites.empty());
}

TEST_F(AppsWindowTest, ShowingTheWindowSetsTitleAndFlagOnly) {
  manage("Favorites", true);
  EXPECT_TRUE(app->managingHardcodedCategory);
  EXPECT_EQ(desktop.appsWindow.title(), "Favorites");
  EXPECT_TRUE(desktop.appsWindow.visible);
  WendaroMenuItem blank("Manage", Action::ShowAppsWindow, "");
  desktop.log.clear();
  app->showAppsWindow(&blank);
  app->showAppsWindow(nullptr);
  EXPECT_TRUE(desktop.log.all().empty());
  EXPECT_TRUE(app->managingHardcodedCategory);
}

}  // namespace
}  // namespace wendaro
