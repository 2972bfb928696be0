#include "core/core_test_fixture.h"
#include "discovery/app_names.h"
#include "discovery/app_walk.h"

namespace wendaro {
namespace {

using Verdict = AppFile::Verdict;
using DiscoveryTest = CoreTest;

class AppWalkTest : public ::testing::Test, public ScanObserver {
 protected:
  void couldNotRead(std::string_view path, OpenFailure, std::string_view reason) override {
    unreadable.push_back(std::string(path) + ": " + std::string(reason));
  }
  void skipped(std::string_view path, std::string_view reason) override {
    skippedPaths.push_back(std::string(path) + ": " + std::string(reason));
  }
  Paths walk(const Paths& roots) {
    scan = {};
    unreadable.clear();
    for (const auto& root : roots) collectAppPaths(files, kinds, root, scan, this);
    return scan.apps;
  }

  fake::CallLog log;
  fake::FakeFileSystem files{log};
  fake::FakeAppKinds kinds{files};
  AppScan scan;
  Paths unreadable, skippedPaths;
};

// Depth first in listing order, bundles not entered; what cannot be listed is
// remembered (absence below it proves nothing). Entry types only spare questions.
TEST_F(AppWalkTest, FindsAppsDepthFirstAndLeavesOutWhatCannotBeOne) {
  files.addDirectory("/W/Ledger.app/Contents/Helpers/Inner.app");
  files.addDirectory("/W/Tools/Quill.app");
  files.addDirectory("/W/Kit.APP/Inside.app");  // the extension is case-sensitive
  files.addFile("/W/Tally.app");                // a plain file is an app too
  files.addFile("/W/.app");                     // no name before the extension: passed over
  files.addDirectory("/W/Shelf/.app/Under.app");
  files.addDirectory("/W/Locked/Hidden.app");
  files.setUnreadable("/W/Locked");
  files.addSymlink("/W/toShelf", "/W/Shelf");
  files.addSymlink("/W/dangling", "/nowhere");
  files.addFile("/W/caf\xC3\xA9 \xC2\xA0.app");
  for (const char* bad : {"/W/\xFF.app", "/W/Bad\x01.app", "/W/Two\nLines.app", "/W/del\x7F.app", "/W/csi\xC2\x9B.app",
                          "/W/non\xEF\xBF\xBF.app"}) {
    files.addFile(bad);
  }
  files.addDirectory("/W/caf\xE9/In.app");
  files.addFile("/File");
  const Paths expected = {
      "/W/Ledger.app",           "/W/Tools/Quill.app",        "/W/Kit.APP/Inside.app",       "/W/Tally.app",
      "/W/Shelf/.app/Under.app", "/W/toShelf/.app/Under.app", "/W/caf\xC3\xA9 \xC2\xA0.app", "/Gone/Direct.app"};
  EXPECT_EQ(walk({"/Missing", "/File", "/W", "/Gone/Direct.app"}), expected);
  EXPECT_EQ(unreadable,
            (Paths{"/Missing: No such file or directory", "/File: Not a directory", "/W/Locked: Permission denied"}));
  EXPECT_EQ(scan.unreadDirectories, (Paths{"/Missing", "/File", "/W/Locked", "/W/dangling"}));
  const std::string control = ": the name holds a control character";
  EXPECT_EQ(skippedPaths,
            (Paths{"/W/\xFF.app: the name is not valid UTF-8", "/W/Bad\x01.app" + control,
                   "/W/Two\nLines.app" + control, "/W/del\x7F.app" + control, "/W/csi\xC2\x9B.app" + control,
                   "/W/non\xEF\xBF\xBF.app: the name holds a character that cannot be stored",
                   "/W/caf\xE9: the name is not valid UTF-8"}));
  files.reportsEntryTypes = false;
  EXPECT_EQ(walk({"/Missing", "/File", "/W", "/Gone/Direct.app"}), expected);
}

// Links back up, or a directory mounted inside itself, are not entered; a second
// path to a directory is walked, a third is not, so links that multiply paths stay cheap.
TEST_F(AppWalkTest, LinksNeitherLoopNorMultiplyAndNothingElseIsLost) {
  files.addDirectory("/W/a/A.app");
  files.addDirectory("/W/a/deeper/D.app");
  files.addDirectory("/W/b/B.app");
  files.addSymlink("/W/b/sibling", "/W/a");
  files.addSymlink("/W/a/deeper/up", "/W");
  files.addSymlink("/W/a/self", "/W/a");
  files.addSymlink("/W/b/back", "/W/b/");
  files.addDirectory("/W/mount/M.app");
  files.setIdentity("/W", {7, 2});
  files.setIdentity("/W/mount", {7, 2});
  EXPECT_EQ(walk({"/W"}), (Paths{"/W/a/A.app", "/W/a/deeper/D.app", "/W/b/B.app", "/W/b/sibling/A.app",
                                 "/W/b/sibling/deeper/D.app"}));

  constexpr int kLevels = 40;
  for (int level = 0; level < kLevels; ++level) {
    const std::string here = "/Chain/d" + std::to_string(level), next = "/Chain/d" + std::to_string(level + 1);
    files.addFile(here + "/A" + std::to_string(level) + ".app");
    files.addSymlink(here + "/x", next);
    files.addSymlink(here + "/y", next);
  }
  EXPECT_EQ(walk({"/Chain/d0"}).size(), 1u + 2 * (kLevels - 1));
}

// The walk keeps its own stack, and watches only the directories near the
// top of a tree.
TEST_F(AppWalkTest, AVeryDeepTreeIsWalkedAndItsTopWatched) {
  std::string path = "/Deep";
  Paths top = {path};
  for (int level = 1; level <= 100000; ++level) {
    path += "/d";
    if (level <= 8) top.push_back(path);
  }
  files.addFile(path + "/Bottom.app");
  files.addDirectory("/Deep/After.app");
  EXPECT_EQ(walk({"/Deep"}), (Paths{path + "/Bottom.app", "/Deep/After.app"}));
  EXPECT_EQ(scan.walkedDirectories, top);
}

// Paths sort by their names under the full lower-case mapping in composed
// form, compared by code points, equal names in their order.
TEST(AppNamesTest, PathsSortByTheirLowerCaseComposedNames) {
  Paths paths = {"/A/Zoom.app", "/Shared/quill.app", "/A/\xC3\x84pfel.app", "/A/1Tool.app", "/B/Quill.app",
                 "/A/\xC4\xB0" "b.app", "/A/ic.app", "/A/A\xCC\x88pfel.app", "/A/\xCE\x9F\xCE\xA3.app"};
  sortInAppNameOrder(paths);
  EXPECT_EQ(paths, (Paths{"/A/1Tool.app", "/A/ic.app", "/A/\xC4\xB0" "b.app", "/Shared/quill.app", "/B/Quill.app",
                          "/A/Zoom.app", "/A/\xC3\x84pfel.app", "/A/A\xCC\x88pfel.app", "/A/\xCE\x9F\xCE\xA3.app"}));
  EXPECT_EQ(appNameKey("/A/\xCE\x9F\xCE\xA3.app"), "\xCE\xBF\xCF\x82") << "final sigma";
  EXPECT_TRUE(appSortsBefore("/B/Zoom.app", "/A/\xC3\x84pfel.app"));
}

const std::string kUser = "/home/u/.local/share/applications";
const std::string kSystem = "/usr/share/applications";

// One app per desktop-file ID, the first copy in the watched directories winning whatever
// it says; one not shown stays in the user's lists. Lists and shortcuts follow the winner.
TEST_F(DiscoveryTest, DesktopEntriesAreOneAppPerDesktopFileId) {
  const std::string system = kSystem + "/kde/okular.desktop", user = kUser + "/kde-okular.desktop";
  for (const auto& [path, verdict] : {std::pair<std::string, Verdict>{system, Verdict::Shown},
                                      {kSystem + "/hidden.desktop", Verdict::Shown}, {user, Verdict::Shown},
                                      {kSystem + "/nodisplay.desktop", Verdict::NotShown},
                                      {kUser + "/hidden.desktop", Verdict::NotAnApp}}) {
    desktop.appKinds.addDesktopEntry(path, path == user ? "Okular (mine)" : "Okular", verdict);
  }
  app->directories = {kUser, kSystem};
  app->favorites = {system, kSystem + "/hidden.desktop", kSystem + "/nodisplay.desktop"};
  app->categoriesApps = {{"Work", {system, user}}};
  app->shortcutsIndex = {{system, "ash1"}};
  store("ash1", "Ctrl+Alt+O");
  start();
  EXPECT_EQ(app->allApps, Paths{user});
  EXPECT_EQ(app->allAppsMenu->itemAtIndex(0)->title(), "Okular (mine)");
  EXPECT_EQ(stored(keys::kFavorites), (Paths{user, kSystem + "/nodisplay.desktop"}));
  EXPECT_EQ(app->categoriesApps.at("Work"), Paths{user}) << "a list naming both keeps one";
  EXPECT_EQ(storedIndex(), (Index{{user, "ash1"}}));
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+O"));
  EXPECT_EQ(desktop.workspace.launched, Paths{user});
  desktop.fileSystem.remove(user);
  app->rescanApps();
  EXPECT_EQ(app->favorites, (Paths{system, kSystem + "/nodisplay.desktop"}));
  EXPECT_EQ(app->shortcutsIndex, (Index{{system, "ash1"}}));
}

// A change on disk rescans without pruning: what is missing may be back in a moment. The
// watched directories are watched themselves, also those not there.
TEST_F(DiscoveryTest, AChangeOnDiskRescansWithoutPruning) {
  install({"/A/Sub/Ledger.app", "/A/Quill.app"});
  app->directories = {"/A", "/Missing"};
  app->favorites = {"/A/Quill.app"};
  app->menubar = {"/A/Sub/Ledger.app"};
  start();
  EXPECT_EQ(desktop.directoryWatcher.watched, (Paths{"/A", "/A/Sub", "/A", "/Missing"}));
  desktop.fileSystem.remove("/A/Quill.app");
  install({"/A/New.app"});
  desktop.log.clear();
  desktop.directoryWatcher.change();
  EXPECT_EQ(app->allApps, (Paths{"/A/Sub/Ledger.app", "/A/New.app"}));
  EXPECT_EQ(menuTitles(false), Paths{"Quill"});
  EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty()) << "nothing to save";
}

// Paths are bytes: only an exact path of the catalogue keeps an entry, and
// every list is saved. Grants are open only while the walk runs.
TEST_F(DiscoveryTest, PruningKeepsExactlyThePathsTheCatalogueHoldsAndSavesEveryList) {
  install({"/A/Tally.app", "/A/\xC3\x84pfel.app", "/A/Quill.app"});
  app->directories = {"/A"};
  app->bookmarkURLs = {Url::fileURLWithPath("/A")};
  app->favorites = {"/A/Gone.app", "/A/Tally.app", "/A/Gone.app", "/A/Tally.app"};
  app->menubar = {"/A//Tally.app", "/A/tally.app", "/A/Tally.app/", "/A/A\xCC\x88pfel.app", "/A/Quill.app"};
  app->categoriesApps = {{"Mixed", {"/A/Quill.app", "/A/Gone.app"}}, {"AllGone", {"/B/X.app"}}};
  desktop.log.clear();
  app->rescanApps();
  EXPECT_EQ(stored(keys::kFavorites), (Paths{"/A/Tally.app", "/A/Tally.app"}));
  EXPECT_EQ(stored(keys::kMenubar), Paths{"/A/Quill.app"});
  EXPECT_EQ(asStringArrayDictionary(desktop.defaults.values.at(keys::kCategoriesApps)),
            (std::map<std::string, Paths>{{"Mixed", {"/A/Quill.app"}}, {"AllGone", {}}}));
  Paths order;
  std::copy_if(desktop.log.all().begin(), desktop.log.all().end(), std::back_inserter(order),
               [](const auto& call) { return !call.starts_with("defaults."); });
  EXPECT_EQ(order, (Paths{"grants.start /A", "fs.openDirectory /A", "grants.stop /A"}));
}

// An app below a directory that a scan could not read is not gone: the
// lists keep it until a scan reads that directory again and misses it.
TEST_F(DiscoveryTest, OnlyAScanThatReadTheDirectoryPrunesItsApps) {
  // The watched directories, and the one that is missing or, if so marked, unreadable.
  const std::tuple<Paths, const char*, bool> cases[] = {
      {{"/Vol"}, "/Vol", false}, {{"/Vol"}, "/Vol/Sub", true}, {{"/Vol", "/Vol/Sub"}, "/Vol/Sub", false},
      {{"/Home"}, "/Vol", false}};  // a linked drive not mounted
  for (const auto& [directories, hidden, unreadable] : cases) {
    SCOPED_TRACE(directories.back() + " " + hidden);
    desktop.fileSystem.remove("/Vol");
    install({"/Vol/Sub/Tool.app", "/Vol/Sub/Old.app"});
    desktop.fileSystem.addSymlink("/Home/Drive", "/Vol");
    const std::string below = directories.front() == "/Home" ? "/Home/Drive/Sub/" : "/Vol/Sub/";
    app->directories = directories;
    app->favorites = {below + "Tool.app", below + "Old.app"};
    app->menubar = {below + "Old.app"};
    app->categoriesApps = {{"Work", {below + "Old.app"}}};
    unreadable ? desktop.fileSystem.setUnreadable(hidden) : desktop.fileSystem.remove(hidden);
    app->rescanApps();
    EXPECT_EQ(app->favorites, (Paths{below + "Tool.app", below + "Old.app"}));
    EXPECT_EQ(app->categoriesApps["Work"], Paths{below + "Old.app"});

    desktop.fileSystem.remove("/Vol");
    install({"/Vol/Sub/Tool.app"});
    app->rescanApps();
    EXPECT_EQ(app->favorites, (Paths{below + "Tool.app"}));
    EXPECT_EQ(stored(keys::kMenubar), Paths{});
    EXPECT_TRUE(app->categoriesApps["Work"].empty());
  }
}

}  // namespace
}  // namespace wendaro
