#include <gtest/gtest.h>

#include "fake/fake_desktop.h"
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

class SettingsTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  std::unique_ptr<AppDelegate> app = desktop.makeApplication();
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

TEST_F(SettingsTest, ReadsTheSevenKeysInOrder) {
  desktop.log.clear();
  app->loadSettings();
  EXPECT_EQ(desktop.log.matching("defaults."),
            (std::vector<std::string>{"defaults.objectForKey bookmarks", "defaults.objectForKey directories",
                                      "defaults.objectForKey categories", "defaults.objectForKey categoriesApps",
                                      "defaults.objectForKey favorites", "defaults.objectForKey menubar",
                                      "defaults.objectForKey shortcutsIndex"}));
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

TEST_F(SettingsTest, EmptyContainersAreTaken) {
  store(keys::kDirectories, strings({}));
  store(keys::kCategories, strings({}));
  store(keys::kCategoriesApps, Value(Value::Dictionary{}));
  store(keys::kShortcutsIndex, Value(Value::Dictionary{}));
  app->loadSettings();
  EXPECT_TRUE(app->directories.empty()) << "an empty stored list is taken; the defaults do not come back";
  EXPECT_EQ(desktop.directoriesTable.reloads, 1);
  EXPECT_EQ(desktop.categoriesTable.reloads, 1);
}

// Every wrong shape of a list-of-strings key is rejected whole, leaving the
// field at its initial value.
struct WrongShape {
  const char* name;
  Value value;
};

std::vector<WrongShape> wrongStringArrays() {
  return {
      {"NumberAmongStrings", Value(Value::Array{Value("/A"), Value(7), Value("/B")})},
      {"BlobAmongStrings", Value(Value::Array{Value("/A"), blob("x")})},
      {"NestedArray", Value(Value::Array{Value("/A"), strings({"/B"})})},
      {"StringInsteadOfArray", Value("/Applications")},
      {"DictionaryInsteadOfArray", Value(Value::Dictionary{{"a", Value("/A")}})},
      {"BooleanInsteadOfArray", Value(true)},
  };
}

TEST_F(SettingsTest, WrongShapesOfStringListsAreRejectedWhole) {
  for (const auto& shape : wrongStringArrays()) {
    SCOPED_TRACE(shape.name);
    FakeDesktop fresh;
    for (const char* key : {keys::kDirectories, keys::kCategories, keys::kFavorites, keys::kMenubar}) {
      fresh.defaults.values[key] = shape.value;
    }
    auto loaded = fresh.makeApplication();
    loaded->loadSettings();
    EXPECT_EQ(loaded->directories, defaultDirectoryList());
    EXPECT_TRUE(loaded->categories.empty());
    EXPECT_TRUE(loaded->favorites.empty());
    EXPECT_TRUE(loaded->menubar.empty());
    EXPECT_EQ(fresh.directoriesTable.reloads, 0);
    EXPECT_EQ(fresh.categoriesTable.reloads, 0);
    EXPECT_TRUE(fresh.log.matching("defaults.setObject").empty()) << "a rejected value is not rewritten at load";
  }
}

TEST_F(SettingsTest, WrongShapesOfCategoryMembersAreRejectedWhole) {
  const std::vector<WrongShape> shapes = {
      {"StringInsteadOfList", Value(Value::Dictionary{{"Work", strings({"/A.app"})}, {"Play", Value("/B.app")}})},
      {"NumberInAList", Value(Value::Dictionary{{"Work", Value(Value::Array{Value("/A.app"), Value(1.5)})}})},
      {"ArrayInsteadOfDictionary", strings({"Work"})},
      {"StringInsteadOfDictionary", Value("Work")},
  };
  for (const auto& shape : shapes) {
    SCOPED_TRACE(shape.name);
    FakeDesktop fresh;
    fresh.defaults.values[keys::kCategories] = strings({"Work", "Play"});
    fresh.defaults.values[keys::kCategoriesApps] = shape.value;
    auto loaded = fresh.makeApplication();
    loaded->loadSettings();
    EXPECT_EQ(loaded->categories, (std::vector<std::string>{"Work", "Play"})) << "the names are a key of their own";
    EXPECT_TRUE(loaded->categoriesApps.empty());
  }
}

TEST_F(SettingsTest, WrongShapesOfTheShortcutIndexAreRejectedWhole) {
  const std::vector<WrongShape> shapes = {
      {"ArrayValue", Value(Value::Dictionary{{"/A.app", Value("ash1")}, {"/B.app", strings({"ash2"})}})},
      {"NumberValue", Value(Value::Dictionary{{"/A.app", Value(12)}})},
      {"ArrayInsteadOfDictionary", strings({"ash1"})},
  };
  for (const auto& shape : shapes) {
    SCOPED_TRACE(shape.name);
    FakeDesktop fresh;
    fresh.defaults.values[keys::kShortcutsIndex] = shape.value;
    auto loaded = fresh.makeApplication();
    loaded->loadSettings();
    EXPECT_TRUE(loaded->shortcutsIndex.empty());
  }
}

TEST_F(SettingsTest, BookmarksAreTakenOnlyAsAListOfBlobs) {
  const std::vector<WrongShape> shapes = {
      {"StringAmongBlobs", Value(Value::Array{blob("bookmark:/A"), Value("bookmark:/B")})},
      {"StringInsteadOfArray", Value("bookmark:/A")},
      {"BlobInsteadOfArray", blob("bookmark:/A")},
      {"DictionaryInsteadOfArray", Value(Value::Dictionary{{"a", blob("bookmark:/A")}})},
  };
  for (const auto& shape : shapes) {
    SCOPED_TRACE(shape.name);
    FakeDesktop fresh;
    fresh.defaults.values[keys::kBookmarks] = shape.value;
    auto loaded = fresh.makeApplication();
    loaded->loadSettings();
    EXPECT_TRUE(loaded->bookmarks.empty());
    EXPECT_TRUE(loaded->bookmarkURLs.empty());
    EXPECT_TRUE(fresh.log.matching("grants.").empty()) << "no resolution runs for a rejected value";
    EXPECT_EQ(fresh.defaults.values.at(keys::kBookmarks), shape.value) << "the stored value stays";
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
  const auto& calls = desktop.log.all();
  auto position = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) - calls.begin(); };
  EXPECT_LT(position("grants.resolveBookmarkData bookmark:/Users/me/Apps options=1024"),
            position("defaults.objectForKey directories"));
  EXPECT_TRUE(desktop.log.matching("grants.start").empty()) << "only the scan opens grants";
}

TEST_F(SettingsTest, EmptyBookmarkListIsTaken) {
  store(keys::kBookmarks, Value(Value::Array{}));
  app->loadSettings();
  EXPECT_TRUE(app->bookmarks.empty());
}

TEST_F(SettingsTest, SaveDirectoriesWritesTheListBeforeTheGrants) {
  app->directories = {"/A", "/B"};
  app->bookmarks = {Value::Data{1, 2, 3}};
  desktop.log.clear();
  app->saveDirectories();
  EXPECT_EQ(desktop.log.matching("defaults.setObject"),
            (std::vector<std::string>{"defaults.setObject directories", "defaults.setObject bookmarks"}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kDirectories), strings({"/A", "/B"}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kBookmarks), Value(Value::Array{Value(Value::Data{1, 2, 3})}));
}

TEST_F(SettingsTest, SaveCategoriesWritesTheNamesBeforeTheMembers) {
  app->categories = {"Work", "Empty"};
  app->categoriesApps = {{"Work", {"/A.app", "/B.app"}}};
  desktop.log.clear();
  app->saveCategories();
  EXPECT_EQ(desktop.log.matching("defaults.setObject"),
            (std::vector<std::string>{"defaults.setObject categories", "defaults.setObject categoriesApps"}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kCategoriesApps),
            Value(Value::Dictionary{{"Work", strings({"/A.app", "/B.app"})}}));
}

TEST_F(SettingsTest, EmptyListsAreSavedAsEmptyContainers) {
  app->directories.clear();
  app->saveDirectories();
  app->saveCategories();
  EXPECT_EQ(desktop.defaults.values.at(keys::kDirectories), Value(Value::Array{}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kBookmarks), Value(Value::Array{}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kCategories), Value(Value::Array{}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kCategoriesApps), Value(Value::Dictionary{}));
}

TEST_F(SettingsTest, SavedSettingsComeBackInANewApplicationObject) {
  app->directories = {"/Tools"};
  app->categories = {"B", "A"};
  app->categoriesApps = {{"B", {"/Tools/z.app", "/Tools/a.app"}}};
  app->saveDirectories();
  app->saveCategories();
  auto next = desktop.makeApplication();
  next->loadSettings();
  EXPECT_EQ(next->directories, app->directories);
  EXPECT_EQ(next->categories, app->categories);
  EXPECT_EQ(next->categoriesApps, app->categoriesApps);
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

TEST(DefaultsStoreTest, TypedReadsAnswerOnlyForTheirKind) {
  FakeDesktop desktop;
  auto& store = desktop.defaults;
  store.values["list"] = strings({"a"});
  store.values["map"] = Value(Value::Dictionary{});
  EXPECT_TRUE(store.arrayForKey("list"));
  EXPECT_FALSE(store.arrayForKey("map"));
  EXPECT_TRUE(store.dictionaryForKey("map"));
  EXPECT_FALSE(store.dictionaryForKey("list"));
  EXPECT_FALSE(store.arrayForKey("missing"));
}

}  // namespace
}  // namespace wendaro
