#include "core/core_test_fixture.h"
#include "settings/defaults_keys.h"
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

TEST_F(CategoriesWindowTest, AddingCreatesAnEmptyCategorySelectedAndOpenForEditing) {
  app->addCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"New Category"}));
  EXPECT_TRUE(app->categoriesApps.at("New Category").empty());
  EXPECT_EQ(desktop.categoriesTable.selected, 0);
  EXPECT_EQ(desktop.categoriesTable.editingRow, 0);
  EXPECT_EQ(desktop.log.matching("table[categories].editColumn"),
            (std::vector<std::string>{"table[categories].editColumn 0,0 select"}));
  EXPECT_EQ(stored(keys::kCategories), (std::vector<std::string>{"New Category"}));
  EXPECT_EQ(categoryTitles(), (std::vector<std::string>{"New Category"}));
}

TEST_F(CategoriesWindowTest, AddedNamesAreMadeUnique) {
  app->addCategory();
  app->addCategory();
  app->addCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"New Category", "New Category 2", "New Category 3"}));
  EXPECT_EQ(desktop.categoriesTable.selected, 2);
}

TEST_F(CategoriesWindowTest, AddingReplacesAStaleMemberList) {
  app->categoriesApps["New Category"] = {"/Applications/Mail.app"};
  app->addCategory();
  EXPECT_TRUE(app->categoriesApps.at("New Category").empty());
}

TEST_F(CategoriesWindowTest, RenamingMovesTheMembersToTheNewName) {
  app->categories = {"Work"};
  app->categoriesApps = {{"Work", {"/Applications/Mail.app"}}};
  EXPECT_TRUE(rename(0, "Office"));
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Office"}));
  EXPECT_EQ(app->categoriesApps, (std::map<std::string, std::vector<std::string>>{{"Office", {"/Applications/Mail.app"}}}));
  EXPECT_EQ(categoryTitles(), (std::vector<std::string>{"Office"}));
  EXPECT_EQ(desktop.defaults.values.at(keys::kCategoriesApps).dictionary().count("Office"), 1u);
}

TEST_F(CategoriesWindowTest, RenamingToATakenNameAddsANumberAndKeepsTheMembers) {
  app->categories = {"Work", "Play"};
  app->categoriesApps = {{"Work", {"/Applications/Mail.app"}}, {"Play", {"/Applications/Notes.app"}}};
  rename(1, "Work");
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Work", "Work 2"}));
  EXPECT_EQ(app->categoriesApps.at("Work"), (std::vector<std::string>{"/Applications/Mail.app"}));
  EXPECT_EQ(app->categoriesApps.at("Work 2"), (std::vector<std::string>{"/Applications/Notes.app"}));
  EXPECT_EQ(app->categoriesApps.count("Play"), 0u);
}

TEST_F(CategoriesWindowTest, RenamingToItsOwnNameChangesNothing) {
  app->categories = {"Work"};
  app->categoriesApps = {{"Work", {"/Applications/Mail.app"}}};
  rename(0, "Work");
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Work"}));
  EXPECT_EQ(app->categoriesApps.at("Work"), (std::vector<std::string>{"/Applications/Mail.app"}));
}

TEST_F(CategoriesWindowTest, RenamingACategoryWithoutMembersLeavesNoListUnderTheNewName) {
  app->categories = {"Bare"};
  app->categoriesApps = {{"Other", {}}};
  rename(0, "Other");
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Other"}));
  EXPECT_EQ(app->categoriesApps.count("Other"), 0u) << "a stale list under the new name does not survive";
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

TEST_F(CategoriesWindowTest, RemovingDropsTheSelectedCategoryAndItsMembers) {
  app->categories = {"Work", "Play"};
  app->categoriesApps = {{"Work", {"/Applications/Mail.app"}}, {"Play", {}}};
  app->shortcutsIndex = {{"Work", "csh1"}};
  select(0);
  app->removeCategory();
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Play"}));
  EXPECT_EQ(app->categoriesApps.count("Work"), 0u);
  EXPECT_EQ(app->shortcutsIndex.count("Work"), 1u) << "its shortcut entry stays";
  EXPECT_EQ(categoryTitles(), (std::vector<std::string>{"Play"}));
  EXPECT_EQ(stored(keys::kCategories), (std::vector<std::string>{"Play"}));
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
