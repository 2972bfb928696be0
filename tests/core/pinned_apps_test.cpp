#include <gtest/gtest.h>

#include "fake/fake_desktop.h"

namespace wendaro {
namespace {

using fake::asFake;
using fake::FakeDesktop;
using fake::FakeImage;
using fake::FakeStatusItem;

class PinnedAppsTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  std::unique_ptr<AppDelegate> app = desktop.makeApplication();

  FakeStatusItem& pinned(std::size_t index) { return static_cast<FakeStatusItem&>(*app->menubarStatusItems.at(index)); }
};

TEST_F(PinnedAppsTest, OneIconPerPinnedAppInOrder) {
  app->menubar = {"/Applications/Mail.app", "/Applications/Notes.app"};
  app->rebuildMenubarItems();
  ASSERT_EQ(app->menubarStatusItems.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    FakeStatusItem& item = pinned(i);
    EXPECT_EQ(item.toolTip, app->menubar[i]);
    EXPECT_DOUBLE_EQ(item.length, 20.0);
    EXPECT_EQ(item.action, Action::LaunchAppWithButton);
    const FakeImage* image = asFake(item.image);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), (Size{16, 16}));
    EXPECT_EQ(asFake(image->drawnSource)->name, "icon:" + app->menubar[i]);
  }
  EXPECT_EQ(desktop.statusBar.shown().size(), 3u) << "the main icon and the two pinned ones";
}

TEST_F(PinnedAppsTest, EveryRebuildReplacesAllIcons) {
  app->menubar = {"/Applications/Mail.app", "/Applications/Notes.app"};
  app->rebuildMenubarItems();
  auto first = app->menubarStatusItems;
  desktop.log.clear();

  app->rebuildMenubarItems();
  EXPECT_EQ(desktop.log.matching("statusBar."),
            (std::vector<std::string>{"statusBar.removeStatusItem #1", "statusBar.removeStatusItem #2",
                                      "statusBar.statusItemWithLength #3", "statusBar.statusItemWithLength #4"}));
  for (const auto& old : first) EXPECT_TRUE(static_cast<FakeStatusItem&>(*old).removed);
  EXPECT_EQ(pinned(0).toolTip, "/Applications/Mail.app");
  EXPECT_EQ(pinned(1).toolTip, "/Applications/Notes.app");
}

TEST_F(PinnedAppsTest, EmptyListRemovesThemAllAndLeavesTheMainIcon) {
  app->menubar = {"/Applications/Mail.app"};
  app->rebuildMenubarItems();
  app->menubar.clear();
  app->rebuildMenubarItems();
  EXPECT_TRUE(app->menubarStatusItems.empty());
  ASSERT_EQ(desktop.statusBar.shown().size(), 1u);
  EXPECT_EQ(desktop.statusBar.shown().front().get(), &desktop.mainStatusItem());
}

TEST_F(PinnedAppsTest, InvalidIconStillGivesAWorkingIcon) {
  desktop.workspace.icons["/Missing/Ghost.app"] = std::make_shared<FakeImage>("ghost", Size{32, 32}, false);
  app->menubar = {"/Missing/Ghost.app"};
  app->rebuildMenubarItems();
  ASSERT_EQ(app->menubarStatusItems.size(), 1u);
  EXPECT_FALSE(pinned(0).image);
  EXPECT_EQ(pinned(0).toolTip, "/Missing/Ghost.app");
  EXPECT_EQ(pinned(0).action, Action::LaunchAppWithButton);
}

TEST_F(PinnedAppsTest, AfterRemovingFromTheMiddleAnIconLaunchesThePathNowAtItsIndex) {
  app->menubar = {"/A/One.app", "/A/Two.app", "/A/Three.app"};
  app->rebuildMenubarItems();
  app->menubar.erase(app->menubar.begin() + 1);
  app->rebuildMenubarItems();
  desktop.statusBar.click(pinned(1));
  EXPECT_EQ(desktop.workspace.launched, (std::vector<std::string>{"/A/Three.app"}));
}

}  // namespace
}  // namespace wendaro
