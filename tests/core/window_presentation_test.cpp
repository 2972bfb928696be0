#include "core/core_test_fixture.h"

namespace wendaro {
namespace {

class WindowPresentationTest : public CoreTest {
 protected:
  void SetUp() override {
    install({"/Applications/Mail.app"});
    start();
  }
};

TEST_F(WindowPresentationTest, WindowsArePlacedCentredOnTheIconsLeftEdgeTenPointsBelowIt) {
  desktop.mainStatusItem().fakeButton().frame = Rect{{1000, 878}, {20, 22}};
  desktop.categoriesWindow.frame_ = Rect{{5, 5}, {400, 300}};
  app->showCategoriesWindow();
  EXPECT_EQ(desktop.categoriesWindow.frame(), (Rect{{800, 568}, {400, 300}}));
  EXPECT_TRUE(desktop.categoriesWindow.visible);
}

TEST_F(WindowPresentationTest, WithoutAKnownIconPositionWindowsStayWhereTheyWere) {
  desktop.mainStatusItem().fakeButton().frame.reset();
  desktop.directoriesWindow.frame_ = Rect{{5, 6}, {300, 200}};
  app->showDirectoriesWindow();
  EXPECT_EQ(desktop.directoriesWindow.frame().origin, (Point{5, 6}));
  EXPECT_TRUE(desktop.directoriesWindow.visible);

  desktop.mainStatusItem().hasButton = false;
  desktop.shortcutWindow.frame_ = Rect{{42, 24}, {300, 200}};
  app->showShortcutWindow("/Applications/Mail.app", false);
  EXPECT_EQ(desktop.shortcutWindow.frame().origin, (Point{42, 24}));
  EXPECT_TRUE(desktop.shortcutWindow.visible);
}

TEST_F(WindowPresentationTest, SetupPreparesTheFourWindowsWithoutShowingThem) {
  for (fake::FakeWindow* window : {&desktop.appsWindow, &desktop.categoriesWindow, &desktop.directoriesWindow,
                                   &desktop.shortcutWindow}) {
    EXPECT_TRUE(window->movableByBackground);
    EXPECT_TRUE(window->zoomButton.hidden);
    EXPECT_TRUE(window->miniaturizeButton.hidden);
    EXPECT_FALSE(window->closeButton.hidden);
    EXPECT_EQ(window->level, kFloatingWindowLevel);
    EXPECT_FALSE(window->visible);
  }
  EXPECT_EQ(desktop.log.matching("window[").front(), "window[shortcut].setDelegate");
}

TEST_F(WindowPresentationTest, PreparingAWindowWithoutTitleBarButtonsWorks) {
  fake::FakeWindow bare(desktop.log, "bare");
  bare.hasZoomButton = false;
  bare.hasMiniaturizeButton = false;
  app->prepareWindow(bare);
  EXPECT_EQ(bare.level, kFloatingWindowLevel);
}

TEST_F(WindowPresentationTest, OpeningTheMainMenuClosesTheShortcutEditor) {
  app->showShortcutWindow("/Applications/Mail.app", false);
  ASSERT_TRUE(desktop.shortcutWindow.visible);
  desktop.statusBar.click(desktop.mainStatusItem());
  EXPECT_FALSE(desktop.shortcutWindow.visible);
}

TEST_F(WindowPresentationTest, ClosingAManagedWindowRebuildsTheMenusButNotThePins) {
  app->menubar = {"/Applications/Mail.app"};
  app->rebuildMenubarItems();
  app->favorites = {"/Applications/Mail.app"};
  app->categories = {"Work"};
  const auto allAppsRevision = app->allAppsMenu->revision();
  desktop.log.clear();
  desktop.categoriesWindow.close();
  EXPECT_GT(app->allAppsMenu->revision(), allAppsRevision);
  EXPECT_EQ(favoriteTitles(), (std::vector<std::string>{"Mail"}));
  EXPECT_EQ(categoryTitles(), (std::vector<std::string>{"Work"}));
  EXPECT_TRUE(desktop.log.matching("statusBar.").empty());
}

}  // namespace
}  // namespace wendaro
