#include "core/core_test_fixture.h"

namespace wendaro {
namespace {

using fake::FakeDesktop;

Value strings(std::initializer_list<const char*> items) {
  Value::Array array;
  for (const char* item : items) array.emplace_back(item);
  return Value(array);
}

Value blob(const std::string& text) { return Value(Value::Data(text.begin(), text.end())); }

using SettingsTest = CoreTest;

// Each list is read from its own key; what was saved comes back in a new
// application object, empty lists too (the defaults do not come back).
TEST_F(SettingsTest, SavedListsComeBackInANewApplicationObject) {
  desktop.defaults.values = {
      {keys::kFavorites, strings({"/Apps/B.app", "/Apps/A.app"})},
      {keys::kMenubar, strings({"/Apps/C.app"})},
      {keys::kShortcutsIndex, stringDictionaryValue({{"/Apps/A.app", "ash1"}, {"Work", "csh2"}})},
  };
  app->directories = {};
  app->bookmarks = {Value::Data{1, 2, 3}};  // does not resolve, so it stays
  app->categories = {"B", "A", "Empty"};
  app->categoriesApps = {{"B", {"/Tools/z.app", "/Tools/a.app"}}, {"A", {}}};
  app->saveDirectories();
  app->saveCategories();
  auto next = desktop.makeApplication();
  next->loadSettings();
  EXPECT_TRUE(next->directories.empty());
  EXPECT_EQ(next->bookmarks, app->bookmarks);
  EXPECT_EQ(next->categories, app->categories);
  EXPECT_EQ(next->categoriesApps, app->categoriesApps);
  EXPECT_EQ(next->favorites, (Paths{"/Apps/B.app", "/Apps/A.app"}));
  EXPECT_EQ(next->menubar, Paths{"/Apps/C.app"});
  EXPECT_EQ(next->shortcutsIndex, (Index{{"/Apps/A.app", "ash1"}, {"Work", "csh2"}}));
}

// A value of the wrong shape is rejected whole: its field keeps its initial value, other
// keys are read (here the names), nothing is resolved and the stored value stays.
TEST_F(SettingsTest, WrongShapesAreRejectedWhole) {
  std::vector<std::pair<std::string, Value>> cases;
  for (const char* key : {keys::kDirectories, keys::kCategories, keys::kFavorites, keys::kMenubar}) {
    for (Value wrong : {Value(Value::Array{Value("/A"), Value(7)}), Value(Value::Array{Value("/A"), blob("x")}),
                        Value(Value::Array{Value("/A"), strings({"/B"})}), Value("/Applications"),
                        Value(Value::Dictionary{{"a", Value("/A")}}), Value(true)}) {
      cases.emplace_back(key, wrong);
    }
  }
  for (Value wrong :
       {Value(Value::Dictionary{{"Work", strings({"/A.app"})}, {"Play", Value("/B.app")}}),
        Value(Value::Dictionary{{"Work", Value(Value::Array{Value("/A.app"), Value(1.5)})}}), strings({"Work"})}) {
    cases.emplace_back(keys::kCategoriesApps, wrong);
  }
  for (Value wrong : {Value(Value::Dictionary{{"/A.app", Value("ash1")}, {"/B.app", strings({"ash2"})}}),
                      Value(Value::Dictionary{{"/A.app", Value(12)}}), strings({"ash1"})}) {
    cases.emplace_back(keys::kShortcutsIndex, wrong);
  }
  for (Value wrong : {Value(Value::Array{blob("bookmark:/A"), Value("/B")}), blob("bookmark:/A"),
                      Value(Value::Dictionary{{"a", blob("bookmark:/A")}})}) {
    cases.emplace_back(keys::kBookmarks, wrong);
  }
  for (const auto& [key, value] : cases) {
    SCOPED_TRACE(key + ": " + testing::PrintToString(value));
    FakeDesktop fresh;
    fresh.defaults.values[keys::kCategories] = strings({"Work", "Play"});
    fresh.defaults.values[key] = value;
    auto loaded = fresh.makeApplication();
    loaded->loadSettings();
    EXPECT_EQ(loaded->directories, fresh.appKinds.defaults);
    EXPECT_EQ(loaded->categories, key == keys::kCategories ? Paths{} : (Paths{"Work", "Play"}));
    EXPECT_TRUE(loaded->categoriesApps.empty() && loaded->favorites.empty() && loaded->menubar.empty() &&
                loaded->shortcutsIndex.empty() && loaded->bookmarks.empty());
    EXPECT_TRUE(fresh.log.matching("grants.").empty() && fresh.log.matching("defaults.setObject").empty());
    EXPECT_EQ(fresh.defaults.values.at(key), value);
  }
}

// A first run stores only the four pruned lists; the update check comes
// first at every launch, and setup runs once.
TEST_F(SettingsTest, StartUpRunsItsStepsOnce) {
  start();
  app->setup();
  app->applicationDidFinishLaunching();
  Paths keys;
  for (const auto& [key, value] : desktop.defaults.values) keys.push_back(key);
  EXPECT_EQ(keys, (Paths{"categories", "categoriesApps", "favorites", "menubar"}));
  EXPECT_EQ(desktop.log.all().front(), "updater.checkForUpdatesInBackground");
  EXPECT_EQ(desktop.log.matching("updater.").size(), 2u);
  EXPECT_EQ(desktop.appsTable.reloads, 1);
  EXPECT_EQ(fake::asFake(desktop.mainStatusItem().image)->name, "MenubarIcon");
  EXPECT_EQ(desktop.mainStatusItem().fakeButton.menu, app->menubarMenu.get());
}

}  // namespace
}  // namespace wendaro
