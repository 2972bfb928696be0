#include <functional>
#include <random>

#include "core/core_test_fixture.h"
#include "discovery/app_names.h"
#include "settings/defaults_keys.h"
#include "settings/shape_checks.h"

namespace wendaro {
namespace {

using Paths = std::vector<std::string>;

class RescanTest : public CoreTest {
 protected:
  std::map<std::string, Paths> storedCategories() {
    const Value& stored = desktop.defaults.values.at(keys::kCategoriesApps);
    return asStringArrayDictionary(stored).value_or(std::map<std::string, Paths>{});
  }
};

TEST_F(RescanTest, GrantsAreOpenOnlyWhileTheWalkRunsThenTheTableReloadsAndTheListsAreSaved) {
  desktop.fileSystem.addDirectory("/Granted/G.app");
  app->bookmarkURLs = {Url::fileURLWithPath("/Granted"), Url::fileURLWithPath("/Other")};
  app->directories = {"/Granted"};
  desktop.log.clear();
  app->rescanApps();
  Paths calls;
  for (const auto& call : desktop.log.all()) {
    if (call.starts_with("grants.") || call.starts_with("fs.") || call.starts_with("table[apps]") ||
        call.starts_with("defaults.")) {
      calls.push_back(call);
    }
  }
  EXPECT_EQ(calls, (Paths{"grants.start /Granted", "grants.start /Other", "fs.openDirectory /Granted",
                          "grants.stop /Granted", "grants.stop /Other", "table[apps].reloadData",
                          "defaults.setObject favorites", "defaults.setObject menubar",
                          "defaults.setObject categories", "defaults.setObject categoriesApps"}));
  EXPECT_TRUE(desktop.accessGrants.openGrants.empty());
  EXPECT_EQ(app->allApps, (Paths{"/Granted/G.app"}));
}

TEST_F(RescanTest, CatalogueIsSortedByNameAndTiesStayInWalkOrder) {
  desktop.fileSystem.addDirectory("/Applications/Notes.app");
  desktop.fileSystem.addDirectory("/Applications/Zoom.app");
  desktop.fileSystem.addDirectory("/Users/Shared/Apps/notes.app");
  desktop.fileSystem.addDirectory("/Users/Shared/Apps/calculator.app");
  app->directories = {"/Users/Shared/Apps", "/Applications"};
  app->rescanApps();
  EXPECT_EQ(app->allApps, (Paths{"/Users/Shared/Apps/calculator.app", "/Users/Shared/Apps/notes.app",
                                 "/Applications/Notes.app", "/Applications/Zoom.app"}));
}

TEST_F(RescanTest, EveryRescanStartsFromNothing) {
  desktop.fileSystem.addDirectory("/A/Old.app");
  app->directories = {"/A"};
  app->rescanApps();
  desktop.fileSystem.remove("/A/Old.app");
  desktop.fileSystem.addDirectory("/A/New.app");
  app->rescanApps();
  EXPECT_EQ(app->allApps, (Paths{"/A/New.app"}));
}

TEST_F(RescanTest, RunsWithoutTheAppsTable) {
  desktop.fileSystem.addDirectory("/A/X.app");
  app->directories = {"/A"};
  app->appsTableView = nullptr;
  app->rescanApps();
  EXPECT_EQ(app->allApps, (Paths{"/A/X.app"}));
  EXPECT_EQ(desktop.appsTable.reloads, 0);
}

TEST_F(RescanTest, AnEmptyDirectoryListEmptiesEveryListAndSavesIt) {
  app->directories.clear();
  app->favorites = {"/A/X.app"};
  app->menubar = {"/A/X.app"};
  app->categories = {"Work", "Play"};
  app->categoriesApps = {{"Work", {"/A/X.app", "/A/Y.app"}}};
  app->rescanApps();
  EXPECT_TRUE(app->allApps.empty());
  EXPECT_EQ(stored(keys::kFavorites), Paths{});
  EXPECT_EQ(stored(keys::kMenubar), Paths{});
  EXPECT_EQ(stored(keys::kCategories), (Paths{"Work", "Play"}));
  EXPECT_EQ(storedCategories(), (std::map<std::string, Paths>{{"Work", {}}}))
      << "the emptied category stays; the one without members gets no entry";
}

TEST_F(RescanTest, PruningKeepsExactlyThePathsTheCatalogueHolds) {
  const std::string composedApfel = "/A/\xC3\x84pfel.app";
  const std::string decomposedApfel = "/A/A\xCC\x88pfel.app";
  app->allApps = {"/A/Mail.app", composedApfel, "/A/Notes.app"};
  app->favorites = {"/A/Gone.app", "/A/Mail.app", "/A/Gone.app", "/A/Mail.app"};
  app->menubar = {"/A//Mail.app", "/A/mail.app", "/A/Mail.app/", "/L/Mail.app", decomposedApfel};
  app->categoriesApps = {{"Mixed", {"/A/Notes.app", "/A/Gone.app", "/A/Mail.app"}}, {"AllGone", {"/B/X.app"}}};
  app->pruneMissingApps();
  EXPECT_EQ(app->favorites, (Paths{"/A/Mail.app", "/A/Mail.app"})) << "both copies of a kept path stay";
  EXPECT_EQ(app->menubar, Paths{}) << "paths are bytes: another spelling of a path names nothing";
  EXPECT_EQ(app->categoriesApps,
            (std::map<std::string, Paths>{{"Mixed", {"/A/Notes.app", "/A/Mail.app"}}, {"AllGone", {}}}));
  EXPECT_EQ(stored(keys::kFavorites), app->favorites);
  EXPECT_EQ(stored(keys::kMenubar), app->menubar);
  EXPECT_EQ(storedCategories(), app->categoriesApps);
}

// An app below a directory that a scan could not read is not gone: the
// lists keep it until a scan reads that directory again and misses it.
TEST_F(RescanTest, OnlyAScanThatReadTheDirectoryPrunesItsApps) {
  struct Case {
    const char* situation;
    Paths directories;
    std::function<void(fake::FakeFileSystem&)> hide;
  };
  const Case cases[] = {
      {"watched directory missing", {"/Vol"}, [](auto& files) { files.remove("/Vol"); }},
      {"watched directory unreadable", {"/Vol"}, [](auto& files) { files.setUnreadable("/Vol"); }},
      {"subdirectory unreadable", {"/Vol"}, [](auto& files) { files.setUnreadable("/Vol/Sub"); }},
      {"watched directory inside another, missing", {"/Vol", "/Vol/Sub"},
       [](auto& files) { files.remove("/Vol/Sub"); }},
      {"linked drive not mounted", {"/Home"}, [](auto& files) { files.remove("/Vol"); }},
  };
  for (const Case& c : cases) {
    desktop.fileSystem.remove("/Vol");
    desktop.fileSystem.remove("/Home");
    desktop.fileSystem.addDirectory("/Vol/Sub/Tool.app");
    desktop.fileSystem.addDirectory("/Vol/Sub/Old.app");
    desktop.fileSystem.addSymlink("/Home/Drive", "/Vol");
    const std::string below = c.directories.front() == "/Home" ? "/Home/Drive/Sub/" : "/Vol/Sub/";
    app->directories = c.directories;
    app->directories.push_back("/Vol/Sub/Direct.app");
    app->favorites = {below + "Tool.app", below + "Old.app", "/Vol/Sub/Direct.app"};
    app->menubar = {below + "Tool.app"};
    app->categoriesApps = {{"Work", {below + "Old.app"}}};
    c.hide(desktop.fileSystem);
    app->rescanApps();
    EXPECT_EQ(app->favorites, (Paths{below + "Tool.app", below + "Old.app", "/Vol/Sub/Direct.app"})) << c.situation;
    EXPECT_EQ(stored(keys::kFavorites), app->favorites) << c.situation;
    EXPECT_EQ(app->menubar, Paths{below + "Tool.app"}) << c.situation;
    EXPECT_EQ(app->categoriesApps["Work"], Paths{below + "Old.app"}) << c.situation;

    desktop.fileSystem.remove("/Vol");
    desktop.fileSystem.addDirectory("/Vol/Sub/Tool.app");
    app->rescanApps();
    EXPECT_EQ(app->favorites, (Paths{below + "Tool.app", "/Vol/Sub/Direct.app"})) << c.situation;
    EXPECT_TRUE(app->categoriesApps["Work"].empty()) << c.situation;
  }
}

// Pruning as written out step by step: visit a copy; for each path that no
// entry of the catalogue equals (linear search), remove the first equal entry
// of the live list.
void referencePrune(const Paths& catalogue, Paths& list) {
  const Paths copy = list;
  for (const auto& path : copy) {
    if (std::find(catalogue.begin(), catalogue.end(), path) != catalogue.end()) continue;
    auto first = std::find_if(list.begin(), list.end(), [&](const std::string& entry) { return entry == path; });
    if (first != list.end()) list.erase(first);
  }
}

TEST_F(RescanTest, HashedPruningMatchesTheStepByStepOneOnRandomLists) {
  const Paths forms = {"/A/Mail.app", "/A/mail.app", "/A//Mail.app", "/A/\xC3\x84pfel.app", "/A/A\xCC\x88pfel.app",
                       "/A/\xE2\x84\xAB.app", "/A/\xC3\x85.app", "/A/A\xCC\x8A.app", "/B/\xEF\xAC\x81.app",
                       "/B/fi.app", "/B/Z.app", "/C/\xE6\x97\xA5.app"};
  std::mt19937 engine(4242);
  auto pick = [&](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine); };
  auto randomList = [&](std::size_t most) {
    Paths list;
    for (std::size_t i = 0, n = pick(most + 1); i < n; ++i) list.push_back(forms[pick(forms.size())]);
    return list;
  };
  for (int round = 0; round < 500; ++round) {
    app->allApps = randomList(8);
    app->favorites = randomList(12);
    app->menubar = randomList(12);
    app->categoriesApps = {{"One", randomList(12)}, {"Two", randomList(12)}};
    Paths favorites = app->favorites;
    Paths menubar = app->menubar;
    Paths one = app->categoriesApps["One"];
    Paths two = app->categoriesApps["Two"];
    referencePrune(app->allApps, favorites);
    referencePrune(app->allApps, menubar);
    referencePrune(app->allApps, one);
    referencePrune(app->allApps, two);
    app->pruneMissingApps();
    ASSERT_EQ(app->favorites, favorites) << "round " << round;
    ASSERT_EQ(app->menubar, menubar) << "round " << round;
    ASSERT_EQ(app->categoriesApps["One"], one) << "round " << round;
    ASSERT_EQ(app->categoriesApps["Two"], two) << "round " << round;
  }
}

TEST_F(RescanTest, NothingThatIsNotUtf8ReachesTheCatalogueOrTheStore) {
  desktop.fileSystem.addFile("/A/\xFF\xFE.app");
  desktop.fileSystem.addDirectory("/A/Good.app");
  app->directories = {"/A", "/Bad\xE9"};
  app->favorites = {"/A/\xFF\xFE.app", "/A/Good.app"};
  app->rescanApps();
  EXPECT_EQ(app->allApps, (Paths{"/A/Good.app"}));
  EXPECT_EQ(stored(keys::kFavorites), (Paths{"/A/Good.app"}));
}

}  // namespace
}  // namespace wendaro
