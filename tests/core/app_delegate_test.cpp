#include <gtest/gtest.h>

#include "fake/fake_desktop.h"

namespace wendaro {
namespace {

using fake::FakeDesktop;

TEST(AppDelegateTest, DestroyingTheObjectLeavesTheMenuBarAndStoreAlone) {
  FakeDesktop desktop;
  {
    auto app = desktop.makeApplication();
    desktop.log.clear();
  }
  EXPECT_TRUE(desktop.log.all().empty());
  EXPECT_FALSE(desktop.mainStatusItem().removed);
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
