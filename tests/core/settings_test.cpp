#include "core/core_test_fixture.h"
#include "settings/defaults_keys.h"

namespace wendaro {
namespace {

using fake::FakeDesktop;

Value strings(std::initializer_list<const char*> items) {
  Value::Array array;
  for (const char* item : items) array.emplace_back(item);
  return Value(array);
}

Value blob(const std::string& text) { return Value(Value::Data(text.begin(), text.end())); }

class SettingsTest : public CoreTest {
 protected:
  void store(const std::string& key, Value value) { desktop.defaults.values[key] = std::move(value); }
};

TEST_F(SettingsTest, EmptyStoreKeepsEveryInitialValueAndWritesNothing) {
  desktop.log.clear();
  app->loadSettings();
  EXPECT_EQ(app->directories, (std::vector<std::string>{"/Applications", "/System/Applications"}));
  EXPECT_TRUE(app->bookmarks.empty());
  EXPECT_TRUE(app->bookmarkURLs.empty());
  EXPECT_TRUE(app->categories.empty());
  EXPECT_TRUE(app->categoriesApps.empty());
  EXPECT_TRUE(app->favorites.empty());
  EXPECT_TRUE(app->menubar.empty());
  EXPECT_TRUE(app->shortcutsIndex.empty());
  EXPECT_FALSE(desktop.defaults.boolForKey(keys::kLaunchAtStartup));
  EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty());
  EXPECT_TRUE(desktop.log.matching("defaults.removeObjectForKey").empty());
  EXPECT_TRUE(desktop.log.matching("grants.").empty()) << "no grants stored, so none resolved";
  EXPECT_EQ(desktop.directoriesTable.reloads, 0);
  EXPECT_EQ(desktop.categoriesTable.reloads, 0);
}

TEST_F(SettingsTest, TakesWellShapedValues) {
  store(keys::kDirectories, strings({"/Apps", "/More Apps"}));
  store(keys::kCategories, strings({"Work", "Play"}));
  store(keys::kCategoriesApps, Value(Value::Dictionary{{"Work", strings({"/Apps/A.app"})}, {"Play", strings({})}}));
  store(keys::kFavorites, strings({"/Apps/B.app", "/Apps/A.app"}));
  store(keys::kMenubar, strings({"/Apps/C.app"}));
  store(keys::kShortcutsIndex, Value(Value::Dictionary{{"/Apps/A.app", Value("ash1")}, {"Work", Value("csh2")}}));
  app->loadSettings();
  EXPECT_EQ(app->directories, (std::vector<std::string>{"/Apps", "/More Apps"}));
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Work", "Play"}));
  EXPECT_EQ(app->categoriesApps.at("Work"), (std::vector<std::string>{"/Apps/A.app"}));
  EXPECT_TRUE(app->categoriesApps.at("Play").empty());
  EXPECT_EQ(app->favorites, (std::vector<std::string>{"/Apps/B.app", "/Apps/A.app"}));
  EXPECT_EQ(app->menubar, (std::vector<std::string>{"/Apps/C.app"}));
  EXPECT_EQ(app->shortcutsIndex.at("Work"), "csh2");
  EXPECT_EQ(desktop.directoriesTable.reloads, 1);
  EXPECT_EQ(desktop.categoriesTable.reloads, 1);
}

// A value of the wrong shape is rejected whole: its field keeps its initial
// value, the other keys are read as usual (here the category names), nothing
// is resolved and the stored value stays as it was.
TEST_F(SettingsTest, WrongShapesAreRejectedWhole) {
  struct WrongShape {
    std::string key;
    const char* name;
    Value value;
  };
  std::vector<WrongShape> cases;
  for (const char* key : {keys::kDirectories, keys::kCategories, keys::kFavorites, keys::kMenubar}) {
    cases.push_back({key, "number among strings", Value(Value::Array{Value("/A"), Value(7), Value("/B")})});
    cases.push_back({key, "blob among strings", Value(Value::Array{Value("/A"), blob("x")})});
    cases.push_back({key, "nested array", Value(Value::Array{Value("/A"), strings({"/B"})})});
    cases.push_back({key, "string", Value("/Applications")});
    cases.push_back({key, "dictionary", Value(Value::Dictionary{{"a", Value("/A")}})});
    cases.push_back({key, "boolean", Value(true)});
  }
  cases.push_back({keys::kCategoriesApps, "string instead of a list",
                   Value(Value::Dictionary{{"Work", strings({"/A.app"})}, {"Play", Value("/B.app")}})});
  cases.push_back({keys::kCategoriesApps, "number in a list",
                   Value(Value::Dictionary{{"Work", Value(Value::Array{Value("/A.app"), Value(1.5)})}})});
  cases.push_back({keys::kCategoriesApps, "array", strings({"Work"})});
  cases.push_back({keys::kCategoriesApps, "string", Value("Work")});
  cases.push_back({keys::kShortcutsIndex, "array value",
                   Value(Value::Dictionary{{"/A.app", Value("ash1")}, {"/B.app", strings({"ash2"})}})});
  cases.push_back({keys::kShortcutsIndex, "number value", Value(Value::Dictionary{{"/A.app", Value(12)}})});
  cases.push_back({keys::kShortcutsIndex, "array", strings({"ash1"})});
  cases.push_back({keys::kBookmarks, "string among blobs", Value(Value::Array{blob("bookmark:/A"), Value("/B")})});
  cases.push_back({keys::kBookmarks, "string", Value("bookmark:/A")});
  cases.push_back({keys::kBookmarks, "blob", blob("bookmark:/A")});
  cases.push_back({keys::kBookmarks, "dictionary", Value(Value::Dictionary{{"a", blob("bookmark:/A")}})});

  for (const auto& wrong : cases) {
    SCOPED_TRACE(wrong.key + ": " + wrong.name);
    FakeDesktop fresh;
    fresh.defaults.values[keys::kCategories] = strings({"Work", "Play"});
    fresh.defaults.values[wrong.key] = wrong.value;
    auto loaded = fresh.makeApplication();
    loaded->loadSettings();
    const bool namesRejected = wrong.key == keys::kCategories;
    EXPECT_EQ(loaded->directories, desktop.appKinds.defaults);
    const std::vector<std::string> names = {"Work", "Play"};
    EXPECT_EQ(loaded->categories, namesRejected ? std::vector<std::string>{} : names) << "a key of their own";
    EXPECT_TRUE(loaded->categoriesApps.empty());
    EXPECT_TRUE(loaded->favorites.empty());
    EXPECT_TRUE(loaded->menubar.empty());
    EXPECT_TRUE(loaded->shortcutsIndex.empty());
    EXPECT_TRUE(loaded->bookmarks.empty());
    EXPECT_TRUE(loaded->bookmarkURLs.empty());
    EXPECT_EQ(fresh.directoriesTable.reloads, 0);
    EXPECT_EQ(fresh.categoriesTable.reloads, namesRejected ? 0 : 1);
    EXPECT_TRUE(fresh.log.matching("grants.").empty());
    EXPECT_TRUE(fresh.log.matching("defaults.setObject").empty());
    EXPECT_EQ(fresh.defaults.values.at(wrong.key), wrong.value);
  }
}

TEST_F(SettingsTest, StoredBookmarksAreResolvedBeforeTheDirectoriesAreRead) {
  store(keys::kBookmarks, Value(Value::Array{blob("bookmark:/Users/me/Apps"), blob("garbage")}));
  store(keys::kDirectories, strings({"/Users/me/Apps"}));
  desktop.log.clear();
  app->loadSettings();
  ASSERT_EQ(app->bookmarkURLs.size(), 1u);
  EXPECT_EQ(app->bookmarkURLs[0].path(), "/Users/me/Apps");
  EXPECT_EQ(app->bookmarks.size(), 2u) << "a blob that does not resolve stays";
  EXPECT_LT(positionOf("grants.resolveBookmarkData bookmark:/Users/me/Apps options=1024"),
            positionOf("defaults.objectForKey directories"));
  EXPECT_TRUE(desktop.log.matching("grants.start").empty()) << "only the scan opens grants";
}

TEST_F(SettingsTest, SavedListsComeBackInANewApplicationObject) {
  app->directories = {"/Tools"};
  app->bookmarks = {Value::Data{1, 2, 3}};  // does not resolve, so it stays
  app->categories = {"B", "A", "Empty"};
  app->categoriesApps = {{"B", {"/Tools/z.app", "/Tools/a.app"}}};
  app->saveDirectories();
  app->saveCategories();
  auto next = desktop.makeApplication();
  next->loadSettings();
  EXPECT_EQ(next->directories, app->directories);
  EXPECT_EQ(next->bookmarks, app->bookmarks);
  EXPECT_EQ(next->categories, app->categories);
  EXPECT_EQ(next->categoriesApps, app->categoriesApps);
}

TEST_F(SettingsTest, EmptyListsAreSavedAsEmptyContainersAndTakenBack) {
  app->directories.clear();
  app->saveDirectories();
  app->saveCategories();
  EXPECT_EQ(desktop.defaults.values.at(keys::kDirectories), Value(Value::Array{}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kBookmarks), Value(Value::Array{}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kCategories), Value(Value::Array{}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kCategoriesApps), Value(Value::Dictionary{}));
  auto next = desktop.makeApplication();
  next->loadSettings();
  EXPECT_TRUE(next->directories.empty()) << "an empty stored list is taken; the defaults do not come back";
  EXPECT_EQ(desktop.directoriesTable.reloads, 1);
  EXPECT_EQ(desktop.categoriesTable.reloads, 1);
}

TEST(DefaultsStoreTest, BoolForKeyReadsOnlyTrueValuesAsTrue) {
  FakeDesktop desktop;
  auto& store = desktop.defaults;
  EXPECT_FALSE(store.boolForKey("missing"));
  const std::vector<std::pair<Value, bool>> cases = {
      {Value(true), true},   {Value(false), false},  {Value(1), true},    {Value(0), false},
      {Value(0.5), true},    {Value("YES"), true},   {Value("true"), true}, {Value("no"), false},
      {Value("2"), true},    {Value("0"), false},    {Value("2x"), false}, {strings({"1"}), false},
  };
  for (const auto& [value, expected] : cases) {
    store.values["flag"] = value;
    EXPECT_EQ(store.boolForKey("flag"), expected);
  }
}

}  // namespace
}  // namespace wendaro
