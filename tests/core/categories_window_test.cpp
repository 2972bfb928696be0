#include "core/core_test_fixture.h"
#include "settings/defaults_keys.h"
#include "settings/shape_checks.h"
#include "windows/category_names.h"

namespace wendaro {
namespace {

TEST(CategoryNamesTest, UniqueNamesTakeTheNextFreeNumber) {
  EXPECT_EQ(uniqueCategoryName("New Category", {}), "New Category");
  EXPECT_EQ(uniqueCategoryName("New Category", {"New Category"}), "New Category 2");
  EXPECT_EQ(uniqueCategoryName("New Category", {"New Category", "New Category 2"}), "New Category 3");
  EXPECT_EQ(uniqueCategoryName("New Category", {"New Category", "New Category 3"}), "New Category 2");
  EXPECT_EQ(uniqueCategoryName("work", {"Work"}), "work") << "names compare exactly";
}

TEST(CategoryNamesTest, OnlySpacesAreNotAName) {
  EXPECT_FALSE(isAcceptableCategoryName(""));
  EXPECT_FALSE(isAcceptableCategoryName("   "));
  EXPECT_TRUE(isAcceptableCategoryName(" Work "));
  EXPECT_TRUE(isAcceptableCategoryName("\t")) << "other white space counts as content";
}

class CategoriesWindowTest : public CoreTest {
 protected:
  void SetUp() override {
    install({"/Applications/Mail.app", "/Applications/Notes.app"});
    start();
  }
  void select(long row) { desktop.categoriesTable.selected = row; }
  // The user renames the selected row in place and presses Return.
  bool rename(long row, const std::string& name) {
    desktop.categoriesTable.editColumn(0, row, true);
    return desktop.categoriesTable.commitEdit(name);
  }
};

TEST_F(CategoriesWindowTest, AddingCreatesAnEmptyUniquelyNamedCategorySelectedAndOpenForEditing) {
  app->categoriesApps["New Category"] = {"/Applications/Mail.app"};  // stale: replaced
  app->addCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"New Category"}));
  EXPECT_TRUE(app->categoriesApps.at("New Category").empty());
  EXPECT_EQ(desktop.categoriesTable.selected, 0);
  EXPECT_EQ(desktop.categoriesTable.editingRow, 0);
  EXPECT_EQ(desktop.log.matching("table[categories].editColumn"),
            (std::vector<std::string>{"table[categories].editColumn 0,0 select"}));
  EXPECT_EQ(stored(keys::kCategories), (std::vector<std::string>{"New Category"}));
  EXPECT_EQ(categoryTitles(), (std::vector<std::string>{"New Category"}));
  app->addCategory();
  app->addCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"New Category", "New Category 2", "New Category 3"}));
  EXPECT_EQ(desktop.categoriesTable.selected, 2);
}

// The members and the shortcut go with the name; the new name is made
// unique, and a list or shortcut left under it without a category does not
// survive.
TEST_F(CategoriesWindowTest, RenamingMovesTheMembersAndTheShortcutToTheNewName) {
  using Members = std::map<std::string, std::vector<std::string>>;
  using Index = std::map<std::string, std::string>;
  const struct {
    std::vector<std::string> names;
    Members members;
    Index index;
    long row;
    const char* typed;
    std::vector<std::string> namesAfter;
    Members membersAfter;
    Index indexAfter;
  } cases[] = {
      {{"Work"}, {{"Work", {"/A.app"}}}, {{"Work", "csh1"}}, 0, "Office", {"Office"}, {{"Office", {"/A.app"}}},
       {{"Office", "csh1"}}},
      {{"Work", "Play"}, {{"Work", {"/A.app"}}, {"Play", {"/B.app"}}}, {{"Play", "csh1"}, {"Work", "csh2"}}, 1,
       "Work", {"Work", "Work 2"}, {{"Work", {"/A.app"}}, {"Work 2", {"/B.app"}}},
       {{"Work", "csh2"}, {"Work 2", "csh1"}}},
      {{"Work"}, {{"Work", {"/A.app"}}}, {{"Work", "csh1"}}, 0, "Work", {"Work"}, {{"Work", {"/A.app"}}},
       {{"Work", "csh1"}}},
      {{"Bare"}, {{"Other", {}}}, {{"Bare", "csh1"}, {"Other", "csh9"}}, 0, "Other", {"Other"}, {},
       {{"Other", "csh1"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    app->categories = c.names;
    app->categoriesApps = c.members;
    app->shortcutsIndex = c.index;
    for (const auto& [name, key] : c.index) {
      app->bindLaunchShortcut(key, name, true);
      desktop.defaults.values[key] = Value("Ctrl+Alt+" + key.substr(3));
    }
    app->saveShortcutsIndex();
    desktop.workspace.launched.clear();
    EXPECT_TRUE(rename(c.row, c.typed));
    EXPECT_EQ(app->categories, c.namesAfter);
    EXPECT_EQ(app->categoriesApps, c.membersAfter);
    EXPECT_EQ(categoryTitles(), c.namesAfter);
    EXPECT_EQ(desktop.defaults.values.at(keys::kCategoriesApps), stringArrayDictionaryValue(c.membersAfter));
    EXPECT_EQ(app->shortcutsIndex, c.indexAfter);
    EXPECT_EQ(desktop.defaults.values.at(keys::kShortcutsIndex), stringDictionaryValue(c.indexAfter));
    EXPECT_EQ(desktop.defaults.values.count("csh9"), 0u);
    // The renamed category's shortcut (Ctrl+Alt+1) launches it.
    EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+1"));
    const auto renamed = c.membersAfter.find(c.namesAfter[c.row]);
    EXPECT_EQ(desktop.workspace.launched,
              renamed == c.membersAfter.end() ? std::vector<std::string>{} : renamed->second);
  }
}

// An Apps window open for a category goes on managing it under its new
// name; one open for the built-in category of the same name is left alone.
TEST_F(CategoriesWindowTest, TheAppsWindowFollowsItsCategoryToItsNewName) {
  app->categories = {"Work", "Favorites"};
  app->categoriesApps = {{"Work", {"/Applications/Mail.app"}}, {"Favorites", {}}};
  manage("Work", false);
  desktop.log.clear();
  EXPECT_TRUE(rename(0, "Office"));
  EXPECT_EQ(desktop.appsWindow.title(), "Office");
  EXPECT_EQ(desktop.log.matching("table[apps].reloadData").size(), 1u);
  tick("/Applications/Notes.app", true);
  EXPECT_EQ(app->categoriesApps.at("Office"),
            (std::vector<std::string>{"/Applications/Mail.app", "/Applications/Notes.app"}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kCategoriesApps),
            stringArrayDictionaryValue(app->categoriesApps));

  manage("Favorites", true);
  EXPECT_TRUE(rename(1, "Starred"));
  EXPECT_EQ(desktop.appsWindow.title(), "Favorites");
}

TEST_F(CategoriesWindowTest, SpacesOnlyKeepsTheEditorOpenOtherSpacesAreKept) {
  app->categories = {"Work"};
  desktop.log.clear();
  EXPECT_FALSE(rename(0, "   "));
  EXPECT_TRUE(desktop.categoriesTable.editingRow.has_value());
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Work"}));
  EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty());
  EXPECT_TRUE(desktop.categoriesTable.commitEdit(" Deep Work "));
  EXPECT_EQ(app->categories, (std::vector<std::string>{" Deep Work "}));
}

TEST_F(CategoriesWindowTest, EditsOfOtherTablesAreIgnored) {
  app->categories = {"Work"};
  desktop.directoriesTable.selected = 0;
  desktop.directoriesTable.hasSelectedCell = true;
  desktop.directoriesTable.cell.text = "Hijack";
  app->controlTextDidEndEditing(desktop.directoriesTable);
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Work"}));
}

// Its shortcut goes with it: unbound, and gone from the stored index.
TEST_F(CategoriesWindowTest, RemovingDropsTheSelectedCategoryItsMembersAndItsShortcut) {
  const std::string mail = "/Applications/Mail.app";
  app->categories = {"Work", "Play", mail};
  app->categoriesApps = {{"Work", {mail}}, {"Play", {}}, {mail, {mail}}};
  for (const auto& [target, key] : std::map<std::string, std::string>{{"Work", "csh1"}, {"Play", "csh2"}, {mail, "ash3"}}) {
    app->shortcutsIndex[target] = key;
    app->bindLaunchShortcut(key, target, key.starts_with('c'));
  }
  app->saveShortcutsIndex();
  desktop.defaults.values["csh1"] = Value("Ctrl+Alt+W");
  desktop.defaults.values["csh2"] = Value("Ctrl+Alt+P");
  desktop.defaults.values["ash3"] = Value("Ctrl+Alt+M");
  select(0);
  app->removeCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Play", mail}));
  EXPECT_EQ(app->categoriesApps.count("Work"), 0u);
  EXPECT_EQ(categoryTitles(), (std::vector<std::string>{"Play", mail}));
  EXPECT_EQ(stored(keys::kCategories), (std::vector<std::string>{"Play", mail}));
  const std::map<std::string, std::string> index = {{"Play", "csh2"}, {mail, "ash3"}};
  EXPECT_EQ(app->shortcutsIndex, index);
  EXPECT_EQ(desktop.defaults.values.at(keys::kShortcutsIndex), stringDictionaryValue(index));
  EXPECT_FALSE(desktop.binder.isBound("csh1"));
  EXPECT_EQ(desktop.defaults.values.count("csh1"), 0u);

  select(1);  // a category called like an app leaves the app's shortcut alone
  app->removeCategory();
  EXPECT_EQ(app->shortcutsIndex.count(mail), 1u);
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+M"));
  EXPECT_EQ(desktop.workspace.launched, std::vector<std::string>{mail});
}

TEST_F(CategoriesWindowTest, RemovingWithoutASelectionDoesNothing) {
  app->categories = {"Work"};
  for (long row : {-1L, 1L}) {
    select(row);
    desktop.log.clear();
    app->removeCategory();
    EXPECT_EQ(app->categories, (std::vector<std::string>{"Work"}));
    EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty());
  }
}

TEST_F(CategoriesWindowTest, RemovingWhileEditingAppliesTheEditFirst) {
  app->categories = {"Work", "Play"};
  app->categoriesApps = {{"Work", {}}, {"Play", {"/Applications/Notes.app"}}};
  desktop.categoriesTable.editColumn(0, 0, true);
  desktop.categoriesTable.cell.text = "Play";  // typed, not yet confirmed
  app->removeCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Play"}));
  EXPECT_EQ(app->categoriesApps.at("Play"), (std::vector<std::string>{"/Applications/Notes.app"}))
      << "the renamed row ('Play 2') was the one removed";
}

TEST_F(CategoriesWindowTest, MovesSwapNeighboursAndKeepTheSelection) {
  app->categories = {"A", "B", "C"};
  select(1);
  app->moveUpCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(desktop.categoriesTable.selected, 0);
  EXPECT_EQ(categoryTitles(), (std::vector<std::string>{"B", "A", "C"}));
  app->moveDownCategory();
  app->moveDownCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"A", "C", "B"}));
  EXPECT_EQ(desktop.categoriesTable.selected, 2);
  EXPECT_EQ(stored(keys::kCategories), (std::vector<std::string>{"A", "C", "B"}));
}

TEST_F(CategoriesWindowTest, MovesPastTheEndsOrWithoutSelectionDoNothing) {
  app->categories = {"A", "B"};
  desktop.log.clear();
  select(0);
  app->moveUpCategory();
  select(1);
  app->moveDownCategory();
  select(-1);
  app->moveUpCategory();
  app->moveDownCategory();
  select(7);
  app->moveUpCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty());
  EXPECT_TRUE(desktop.log.matching("table[categories].reloadData").empty());
}

}  // namespace
}  // namespace wendaro
