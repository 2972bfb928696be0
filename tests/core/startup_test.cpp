#include "core/core_test_fixture.h"
#include "settings/defaults_keys.h"

namespace wendaro {
namespace {

class StartupTest : public CoreTest {};

TEST_F(StartupTest, FirstRunScansTheDefaultsAndStoresOnlyTheFourPrunedLists) {
  install({"/Applications/Mail.app", "/System/Applications/Notes.app"});
  start();
  EXPECT_TRUE(app->isSetup);
  EXPECT_EQ(app->allApps, (std::vector<std::string>{"/Applications/Mail.app", "/System/Applications/Notes.app"}));
  std::vector<std::string> keys;
  for (const auto& [key, value] : desktop.defaults.values) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"categories", "categoriesApps", "favorites", "menubar"}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kFavorites), Value(Value::Array{}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kMenubar), Value(Value::Array{}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kCategories), Value(Value::Array{}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kCategoriesApps), Value(Value::Dictionary{}));
  EXPECT_EQ(desktop.loginItems.enabled, false) << "the login item is turned off on a first run";
  EXPECT_TRUE(desktop.standardOutput.lines.empty());
}

TEST_F(StartupTest, TheUpdateCheckRunsFirstThenTheNineStepsInOrder) {
  install({"/Applications/Mail.app"});
  desktop.defaults.values[keys::kMenubar] = Value(Value::Array{Value("/Applications/Mail.app")});
  desktop.defaults.values[keys::kShortcutsIndex] =
      Value(Value::Dictionary{{"/Applications/Mail.app", Value("ash1")}});
  desktop.log.clear();
  start();

  // One landmark call of each step, in the order the steps must run.
  const std::vector<std::string> landmarks = {
      "updater.checkForUpdatesInBackground",
      "defaults.objectForKey bookmarks",         // 2. load
      "defaults.objectForKey shortcutsIndex",
      "fs.openDirectory /Applications",          // 3. scan
      "table[apps].reloadData",
      "defaults.setObject favorites",            //    its reconciliation
      "defaults.setObject categoriesApps",
      "binder.bind WendaroMenu",                 // 4. bind
      "binder.bind ash1",
      "window[shortcut].setDelegate",            // 5.
      "window[categories].setLevel 3",           // 6. prepare, in this order
      "window[apps].setLevel 3",
      "window[directories].setLevel 3",
      "window[shortcut].setLevel 3",
      "images.imageNamed MenubarIcon",           // 7. icon
      "statusItem#0.setImage",
      "statusButton#0.setMenu",
      "statusBar.statusItemWithLength #1",       // 8. menus, ending with the pins
      "statusItem#1.setToolTip Mail",
      "loginItems.setLoginItemEnabled org.wendaro.Wendaro-2-Helper 0",  // 9.
  };
  long from = 0;
  for (const auto& call : landmarks) {
    const long at = positionOf(call, from);
    ASSERT_LT(at, static_cast<long>(desktop.log.all().size())) << call << " missing or out of order";
    from = at + 1;
  }
  EXPECT_EQ(from, static_cast<long>(desktop.log.all().size())) << "the login item is the last step";
}

TEST_F(StartupTest, SetupRunsOnce) {
  install({"/Applications/Mail.app"});
  start();
  desktop.log.clear();
  app->setup();
  app->applicationDidFinishLaunching();
  EXPECT_EQ(desktop.log.all(), (std::vector<std::string>{"updater.checkForUpdatesInBackground"}));
}

TEST_F(StartupTest, TheMainIconIsMadeWithTheObjectAndGetsItsImageAndMenuAtSetup) {
  auto& item = desktop.mainStatusItem();
  EXPECT_EQ(desktop.log.matching("statusBar."), (std::vector<std::string>{"statusBar.statusItemWithLength #0"}));
  EXPECT_EQ(app->menubarItem.get(), &item);
  EXPECT_DOUBLE_EQ(item.length, 20.0);
  EXPECT_FALSE(item.image);
  EXPECT_EQ(item.fakeButton().menu, nullptr);
  start();
  const auto* image = fake::asFake(item.image);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->name, "MenubarIcon");
  EXPECT_EQ(item.fakeButton().menu, app->menubarMenu.get());
}

TEST_F(StartupTest, AnIconWithoutAButtonGetsOnlyItsImage) {
  desktop.mainStatusItem().hasButton = false;
  app->installStatusIcon();
  EXPECT_TRUE(desktop.mainStatusItem().image);
  EXPECT_TRUE(desktop.log.matching("statusButton#0.setMenu").empty());
}

TEST_F(StartupTest, PinsOfVanishedAppsGetNoIcon) {
  install({"/Applications/Mail.app"});
  desktop.defaults.values[keys::kMenubar] =
      Value(Value::Array{Value("/Applications/Gone.app"), Value("/Applications/Mail.app")});
  start();
  auto shown = desktop.statusBar.shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1]->toolTip, "Mail");
  EXPECT_EQ(stored(keys::kMenubar), (std::vector<std::string>{"/Applications/Mail.app"}));
}

}  // namespace
}  // namespace wendaro
