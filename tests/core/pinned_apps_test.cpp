#include "core/core_test_fixture.h"

namespace wendaro {
namespace {

using fake::asFake;
using fake::FakeImage;
using fake::FakeStatusItem;
using PinnedAppsTest = CoreTest;

TEST_F(PinnedAppsTest, OneIconPerPinnedAppInOrder) {
  app->menubar = {"/Applications/Mail.app", "/usr/share/applications/notes.desktop"};
  app->appTitles.set("/usr/share/applications/notes.desktop", "Notes");
  app->rebuildMenubarItems();
  ASSERT_EQ(app->menubarStatusItems.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    FakeStatusItem& item = pinned(i);
    EXPECT_EQ(item.toolTip, i == 0 ? "Mail" : "Notes") << "the app's title";
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
  ASSERT_EQ(app->menubarStatusItems.size(), 2u) << "the old icons are forgotten";
  EXPECT_EQ(pinned(0).toolTip, "Mail");
  EXPECT_EQ(pinned(1).toolTip, "Notes");
}

TEST_F(PinnedAppsTest, InvalidIconStillGivesAWorkingIcon) {
  desktop.workspace.icons["/Missing/Ghost.app"] = std::make_shared<FakeImage>("ghost", Size{32, 32}, false);
  app->menubar = {"/Missing/Ghost.app"};
  app->rebuildMenubarItems();
  ASSERT_EQ(app->menubarStatusItems.size(), 1u);
  EXPECT_FALSE(pinned(0).image);
  EXPECT_EQ(pinned(0).toolTip, "Ghost");
  EXPECT_EQ(pinned(0).action, Action::LaunchAppWithButton);
}

}  // namespace
}  // namespace wendaro
