#include <gtest/gtest.h>

#include "fake/fake_desktop.h"

namespace wendaro {
namespace {

using fake::FakeDesktop;

TEST(AppDelegateTest, FreshObjectHasTheInitialState) {
  FakeDesktop desktop;
  auto app = desktop.makeApplication();
  EXPECT_EQ(app->directories, (std::vector<std::string>{"/Applications", "/System/Applications"}));
  EXPECT_TRUE(app->allApps.empty());
  EXPECT_TRUE(app->categories.empty());
  EXPECT_TRUE(app->favorites.empty());
  EXPECT_TRUE(app->menubar.empty());
  EXPECT_TRUE(app->bookmarks.empty());
  EXPECT_TRUE(app->bookmarkURLs.empty());
  EXPECT_TRUE(app->menubarStatusItems.empty());
  EXPECT_TRUE(app->categoriesApps.empty());
  EXPECT_TRUE(app->shortcutsIndex.empty());
  EXPECT_FALSE(app->managingHardcodedCategory);
  EXPECT_FALSE(app->isSetup);
  for (const auto& menu : {app->menubarMenu, app->allAppsMenu, app->manageMenu, app->moreMenu}) {
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->numberOfItems(), 0);
  }
  EXPECT_NE(app->menubarMenu, app->allAppsMenu);
  EXPECT_TRUE(app->favoritesSeparator->isSeparatorItem());
  EXPECT_TRUE(app->categoriesSeparator->isSeparatorItem());
  EXPECT_NE(app->favoritesSeparator, app->categoriesSeparator) << "the landmarks are found by identity";
}

TEST(AppDelegateTest, MainIconExistsFromCreationWithoutImage) {
  FakeDesktop desktop;
  desktop.log.clear();
  auto app = desktop.makeApplication();
  EXPECT_EQ(desktop.log.all().front(), "statusBar.statusItemWithLength #0");
  auto& item = desktop.mainStatusItem();
  EXPECT_EQ(app->menubarItem.get(), &item);
  EXPECT_DOUBLE_EQ(item.length, 20.0);
  EXPECT_FALSE(item.image);
  EXPECT_FALSE(item.removed);
}

TEST(AppDelegateTest, LaunchAtStartupItemIsAPlainEntryWithItsAction) {
  FakeDesktop desktop;
  auto app = desktop.makeApplication();
  const auto& item = *app->launchAtStartupMenuItem;
  EXPECT_EQ(item.title(), "Launch at Startup");
  EXPECT_EQ(item.action(), Action::LaunchAtStartup);
  EXPECT_EQ(item.target(), ActionTarget::None);
  EXPECT_EQ(item.keyEquivalent(), "");
  EXPECT_EQ(item.state(), kControlStateOff);
}

TEST(AppDelegateTest, DestroyingTheObjectLeavesTheMenuBarAndStoreAlone) {
  FakeDesktop desktop;
  {
    auto app = desktop.makeApplication();
    desktop.log.clear();
  }
  EXPECT_TRUE(desktop.log.all().empty());
  EXPECT_FALSE(desktop.mainStatusItem().removed);
}

TEST(WendaroMenuItemTest, BothInitialisersLeaveTheLaunchFieldsUnset) {
  WendaroMenuItem made("Mail", Action::LaunchAppWithItem, "");
  EXPECT_FALSE(made.launchString.has_value());
  EXPECT_FALSE(made.isHardcodedCategory);
  EXPECT_EQ(made.title(), "Mail");
  EXPECT_EQ(made.action(), Action::LaunchAppWithItem);

  WendaroMenuItem decoded(MenuItemRecord{"Manage", Action::ShowAppsWindow, "m"});
  EXPECT_FALSE(decoded.launchString.has_value());
  EXPECT_FALSE(decoded.isHardcodedCategory);
  EXPECT_EQ(decoded.title(), "Manage");
  EXPECT_EQ(decoded.action(), Action::ShowAppsWindow);
  EXPECT_EQ(decoded.keyEquivalent(), "m");
}

TEST(MenuTest, IndexOfItemFollowsInsertionsAndRemovals) {
  Menu menu;
  auto first = MenuItem::separatorItem();
  auto second = MenuItem::separatorItem();
  menu.addItem(first);
  menu.addItem(second);
  EXPECT_EQ(menu.indexOfItem(second), 1);
  menu.insertItemAtIndex(std::make_shared<MenuItem>("A", Action::None, ""), 0);
  EXPECT_EQ(menu.indexOfItem(first), 1);
  EXPECT_EQ(menu.indexOfItem(second), 2);
  menu.removeItemAtIndex(1);
  EXPECT_EQ(menu.indexOfItem(first), -1);
  EXPECT_EQ(menu.indexOfItem(second), 1);
  auto before = menu.revision();
  menu.addItemWithTitle("Quit", Action::Terminate, "");
  EXPECT_GT(menu.revision(), before);
  EXPECT_THROW(menu.removeItemAtIndex(5), std::out_of_range);
}

}  // namespace
}  // namespace wendaro
