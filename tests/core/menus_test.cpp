#include "core/core_test_fixture.h"
#include "core/menu_contents.h"

namespace wendaro {
namespace {

using fake::FakeDesktop;
using testing_support::asWendaroItem;
using testing_support::launchStringsOf;
using testing_support::titlesOf;
using Titles = std::vector<std::string>;

class MenusTest : public CoreTest {
 protected:
  const Menu& main() const { return *app->menubarMenu; }
  const MenuItemRef& entry(const std::string& title) const {
    for (const auto& item : main().items()) {
      if (item->title() == title) return item;
    }
    throw std::out_of_range("no entry " + title);
  }
  long favoritesSeparatorAt() const { return main().indexOfItem(app->favoritesSeparator); }
  long categoriesSeparatorAt() const { return main().indexOfItem(app->categoriesSeparator); }
};

TEST_F(MenusTest, EmptyStateGivesTheFixedEntriesAndTheEmptyCatalogueNote) {
  app->setUpMenus();
  EXPECT_EQ(titlesOf(main()), (Titles{"---", "All Apps", "---", "Manage", "More", "Quit"}));
  EXPECT_EQ(main().delegate(), app.get());
  EXPECT_EQ(main().itemAtIndex(0), app->favoritesSeparator);
  EXPECT_EQ(main().itemAtIndex(2), app->categoriesSeparator);
  EXPECT_EQ(entry("All Apps")->submenu(), app->allAppsMenu);
  EXPECT_EQ(entry("Manage")->submenu(), app->manageMenu);
  EXPECT_EQ(entry("More")->submenu(), app->moreMenu);
  EXPECT_EQ(entry("Quit")->action(), Action::Terminate);
  for (const auto& item : main().items()) {
    EXPECT_EQ(item->keyEquivalent(), "") << item->title();
    if (item->title() != "Quit") {
      EXPECT_EQ(item->action(), Action::None) << item->title();
    }
  }

  const Menu& allApps = *app->allAppsMenu;
  ASSERT_EQ(titlesOf(allApps), (Titles{"No apps found in chosen Directories", "Manage"}));
  EXPECT_EQ(allApps.itemAtIndex(0)->action(), Action::None);
  EXPECT_EQ(allApps.itemAtIndex(1)->action(), Action::ShowDirectoriesWindow);
}

TEST_F(MenusTest, ManageMenuOpensTheWindowsAndExplainsTheKeyboard) {
  app->setUpMenus();
  const Menu& manage = *app->manageMenu;
  ASSERT_EQ(titlesOf(manage), (Titles{"Menu Bar", "Favorites", "Categories", "Directories", "Keyboard"}));
  for (long i : {0, 1}) {
    const auto& builtIn = asWendaroItem(manage.itemAtIndex(i));
    EXPECT_EQ(builtIn.action(), Action::ShowAppsWindow);
    EXPECT_EQ(builtIn.launchString, builtIn.title());
    EXPECT_TRUE(builtIn.isHardcodedCategory);
  }
  EXPECT_EQ(manage.itemAtIndex(2)->action(), Action::ShowCategoriesWindow);
  EXPECT_EQ(manage.itemAtIndex(3)->action(), Action::ShowDirectoriesWindow);

  const auto& keyboard = manage.itemAtIndex(4);
  EXPECT_EQ(keyboard->action(), Action::None);
  ASSERT_TRUE(keyboard->submenu());
  ASSERT_EQ(keyboard->submenu()->numberOfItems(), 1);
  const auto& help = keyboard->submenu()->itemAtIndex(0);
  EXPECT_EQ(help->title(), "");
  EXPECT_EQ(help->action(), Action::None);
  EXPECT_EQ(help->keyEquivalent(), "");  // its text: see the scenario test
}

TEST_F(MenusTest, MoreMenuSendsUpdateChecksToTheUpdaterPresentAtBuildTime) {
  struct Case {
    bool connected;
    ActionTarget target;
  };
  for (const Case& c : {Case{true, ActionTarget::Updater}, Case{false, ActionTarget::None}}) {
    FakeDesktop fresh;
    auto made = fresh.makeApplication();
    if (!c.connected) made->updater = nullptr;
    made->setUpMenus();
    const Menu& more = *made->moreMenu;
    ASSERT_EQ(titlesOf(more), (Titles{"Launch at Startup", "Check for Updates", "Questions/Problems/Suggestions"}));
    EXPECT_EQ(more.itemAtIndex(0), made->launchAtStartupMenuItem);
    EXPECT_EQ(more.itemAtIndex(0)->target(), ActionTarget::None);
    EXPECT_EQ(more.itemAtIndex(1)->action(), Action::CheckForUpdates);
    EXPECT_EQ(more.itemAtIndex(1)->target(), c.target) << "updater connected: " << c.connected;
    EXPECT_EQ(more.itemAtIndex(2)->action(), Action::Support);
    EXPECT_EQ(more.itemAtIndex(2)->target(), ActionTarget::None);
  }
}

TEST_F(MenusTest, AllAppsListsTheCatalogueInItsOrder) {
  app->allApps = {"/Applications/Books.app", "/Applications/Mail.app", "/Users/me/Apps/Notes.app"};
  app->setUpMenus();
  EXPECT_EQ(titlesOf(*app->allAppsMenu), (Titles{"Books", "Mail", "Notes"}));
  EXPECT_EQ(launchStringsOf(*app->allAppsMenu), app->allApps);
  for (const auto& item : app->allAppsMenu->items()) EXPECT_EQ(item->action(), Action::LaunchAppWithItem);
}

TEST_F(MenusTest, FavouritesIgnoreCaseAndKeepStoredOrderForEqualNames) {
  app->favorites = {"/Applications/zeta.app", "/Applications/Alpha.app", "/Volumes/X/alpha.app"};
  app->setUpMenus();
  EXPECT_EQ(titlesOf(main()), (Titles{"Alpha", "alpha", "zeta", "---", "All Apps", "---", "Manage", "More", "Quit"}));
  EXPECT_EQ(launchStringsOf(main())[0], "/Applications/Alpha.app");
  EXPECT_EQ(launchStringsOf(main())[1], "/Volumes/X/alpha.app");

  // Upper case sorts before lower case by code point; the order must not.
  app->favorites = {"/Applications/Zoo.app", "/Applications/apple.app", "/Applications/Émail.app",
                    "/Applications/email.app"};
  app->rebuildFavoriteItems();
  EXPECT_EQ(titlesOf(main()),
            (Titles{"apple", "email", "Zoo", "Émail", "---", "All Apps", "---", "Manage", "More", "Quit"}));
  for (long i = 0; i < favoritesSeparatorAt(); ++i) {
    EXPECT_EQ(main().itemAtIndex(i)->action(), Action::LaunchAppWithItem);
  }
}

// Two apps of one title show the folders they are in; their titles, and
// every other entry, stay as they are.
TEST_F(MenusTest, AppsOfTheSameTitleShowTheirFolders) {
  app->allApps = {"/Applications/Mail.app", "/System/Applications/Mail.app", "/Applications/mail.app",
                  "/Applications/Notes.app"};
  app->favorites = {"/System/Applications/Mail.app", "/Applications/Notes.app", "/Applications/Mail.app"};
  app->categories = {"Work"};
  app->categoriesApps["Work"] = {"/System/Applications/Mail.app", "/Applications/Mail.app"};
  app->setUpMenus();
  auto subtitles = [](const Menu& menu) {
    std::map<std::string, std::string> shown;
    for (const auto& item : menu.items()) {
      const auto* entry = dynamic_cast<const WendaroMenuItem*>(item.get());
      if (entry && entry->launchString && !entry->subtitle().empty()) {
        EXPECT_EQ(entry->title(), "Mail");
        shown[*entry->launchString] = entry->subtitle();
      }
    }
    return shown;
  };
  const std::map<std::string, std::string> expected{{"/Applications/Mail.app", "/Applications"},
                                                    {"/System/Applications/Mail.app", "/System/Applications"}};
  EXPECT_EQ(subtitles(main()), expected);
  EXPECT_EQ(subtitles(*app->allAppsMenu), expected);
  EXPECT_EQ(subtitles(*entry("Work")->submenu()), expected);
}

TEST_F(MenusTest, FavouritesRebuildReplacesTheSectionAndLeavesCategoriesAlone) {
  app->favorites = {"/A/One.app", "/A/Two.app", "/A/Three.app"};
  app->categories = {"Work"};
  app->setUpMenus();
  ASSERT_EQ(favoritesSeparatorAt(), 3);

  app->favorites = {"/A/Four.app"};
  app->rebuildFavoriteItems();
  EXPECT_EQ(titlesOf(main()), (Titles{"Four", "---", "Work", "All Apps", "---", "Manage", "More", "Quit"}));

  app->favorites.clear();
  app->rebuildFavoriteItems();
  EXPECT_EQ(favoritesSeparatorAt(), 0);
  EXPECT_EQ(titlesOf(main()), (Titles{"---", "Work", "All Apps", "---", "Manage", "More", "Quit"}));
}

TEST_F(MenusTest, CategoriesKeepTheirStoredOrderBetweenTheSeparators) {
  app->favorites = {"/A/Fav.app"};
  app->categories = {"B", "A", "C"};
  app->setUpMenus();
  EXPECT_EQ(titlesOf(main()), (Titles{"Fav", "---", "B", "A", "C", "All Apps", "---", "Manage", "More", "Quit"}));
  for (const char* name : {"A", "B", "C"}) {
    EXPECT_EQ(entry(name)->action(), Action::None);
    EXPECT_EQ(entry(name)->keyEquivalent(), "");
    ASSERT_TRUE(entry(name)->submenu());
  }
}

TEST_F(MenusTest, CategorySubmenuSortsACopyOfItsMembers) {
  const std::vector<std::string> stored = {"/B/mail.app", "/A/Zed.app", "/A/Mail.app", "/Elsewhere/Gone.app"};
  app->categories = {"Work"};
  app->categoriesApps["Work"] = stored;
  app->allApps = {"/A/Mail.app", "/A/Zed.app"};  // the member in /Elsewhere is not in the catalogue
  app->setUpMenus();

  const Menu& work = *entry("Work")->submenu();
  EXPECT_EQ(titlesOf(work), (Titles{"Gone", "mail", "Mail", "Zed", "---", "Launch All", "Manage"}));
  EXPECT_EQ(launchStringsOf(work),
            (std::vector<std::string>{"/Elsewhere/Gone.app", "/B/mail.app", "/A/Mail.app", "/A/Zed.app", "", "Work",
                                      "Work"}));
  EXPECT_EQ(app->categoriesApps["Work"], stored) << "the stored list keeps its order";

  const auto& launchAll = asWendaroItem(work.itemAtIndex(5));
  EXPECT_EQ(launchAll.action(), Action::LaunchCategoryWithItem);
  const auto& manage = asWendaroItem(work.itemAtIndex(6));
  EXPECT_EQ(manage.action(), Action::ShowAppsWindow);
  EXPECT_EQ(manage.keyEquivalent(), "");
  EXPECT_FALSE(manage.isHardcodedCategory);
}

TEST_F(MenusTest, CategoryWithoutMemberListHasOnlyItsCommands) {
  app->categories = {"Empty", "Listed"};
  app->categoriesApps["Listed"] = {};
  app->setUpMenus();
  for (const char* name : {"Empty", "Listed"}) {
    EXPECT_EQ(titlesOf(*entry(name)->submenu()), (Titles{"---", "Launch All", "Manage"})) << name;
  }
}

TEST_F(MenusTest, RemovedCategoryLeavesNoEntryAndAllAppsStaysAboveTheSeparator) {
  app->favorites = {"/A/Fav.app"};
  app->categories = {"Work", "Play", "Games"};
  app->setUpMenus();

  app->categories = {"Games"};
  app->rebuildCategoryItems();
  EXPECT_EQ(titlesOf(main()), (Titles{"Fav", "---", "Games", "All Apps", "---", "Manage", "More", "Quit"}));
  EXPECT_EQ(main().itemAtIndex(categoriesSeparatorAt() - 1)->submenu(), app->allAppsMenu);

  app->categories.clear();
  app->rebuildCategoryItems();
  EXPECT_EQ(categoriesSeparatorAt(), favoritesSeparatorAt() + 2);
}

}  // namespace
}  // namespace wendaro
