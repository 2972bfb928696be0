#include <gtest/gtest.h>

#include "discovery/app_names.h"
#include "discovery/app_walk.h"
#include "fake/fake_desktop.h"

namespace wendaro {
namespace {

using fake::CallLog;
using fake::FakeFileSystem;
using Paths = std::vector<std::string>;

// Remembers what the walk tells an observer.
class RecordingObserver : public ScanObserver {
 public:
  void couldNotRead(std::string_view path, OpenFailure, std::string_view reason) override {
    unreadable.push_back(std::string(path) + ": " + std::string(reason));
  }
  void skipped(std::string_view path, std::string_view reason) override {
    skippedPaths.push_back(std::string(path) + ": " + std::string(reason));
  }
  Paths unreadable;
  Paths skippedPaths;
};

class AppWalkTest : public ::testing::Test {
 protected:
  CallLog log;
  FakeFileSystem files{log};
  fake::FakeAppKinds kinds{files};
  RecordingObserver observer;

  AppScan scan;

  Paths walk(const std::string& root) { return walk(Paths{root}); }
  Paths walk(const Paths& roots) {
    scan = {};
    for (const auto& root : roots) collectAppPaths(files, kinds, root, scan, &observer);
    return scan.apps;
  }
};

TEST_F(AppWalkTest, FindsBundlesDepthFirstInListingOrder) {
  files.addDirectory("/W/Safari.app/Contents/Helpers/Inner.app");  // inside a bundle: not walked
  files.addDirectory("/W/Utilities/Terminal.app");
  files.addDirectory("/W/Tool.APP/Inside.app");      // the extension is case-sensitive
  files.addDirectory("/W/Thing.App/X.app");
  files.addFile("/W/Notes.app");                     // a plain file is an app too
  files.addDirectory("/W/Kit.framework/Versions/Helper.app");
  files.addDirectory("/W/Plug.bundle/Contents/Tool.app");
  files.addDirectory("/W/.hidden/Secret.app");
  files.addFile("/W/.app");                          // no extension: a file, passed over
  files.addDirectory("/W/Shelf/.app/Under.app");     // a directory named ".app" is walked
  files.addFile("/W/readme.txt");
  files.addDirectory("/W/Empty");
  EXPECT_EQ(walk("/W"), (Paths{"/W/Safari.app", "/W/Utilities/Terminal.app", "/W/Tool.APP/Inside.app",
                               "/W/Thing.App/X.app", "/W/Notes.app", "/W/Kit.framework/Versions/Helper.app",
                               "/W/Plug.bundle/Contents/Tool.app", "/W/.hidden/Secret.app",
                               "/W/Shelf/.app/Under.app"}));
  EXPECT_TRUE(observer.unreadable.empty());
}

TEST_F(AppWalkTest, AnAppPathIsCataloguedWithoutAnyFileSystemQuestion) {
  EXPECT_EQ(walk("/Gone/Deleted.app"), (Paths{"/Gone/Deleted.app"}));
  EXPECT_EQ(walk("/Gone/Deleted.app/"), (Paths{"/Gone/Deleted.app/"}));
  EXPECT_TRUE(log.matching("fs.").empty());
}

TEST_F(AppWalkTest, AsksAboutDirectoriesLinksAndUnknownEntriesButNeverFiles) {
  files.addFile("/W/a.txt");
  files.addFile("/W/b.dylib");
  files.addDirectory("/W/sub");
  files.addSymlink("/W/link", "/W/sub");
  files.addFile("/W/C.app");
  walk("/W");
  EXPECT_EQ(log.all(), (Paths{"fs.openDirectory /W", "fs.openDirectoryAt sub", "fs.openDirectoryAt link"}));

  log.clear();
  files.reportsEntryTypes = false;
  walk("/W");
  EXPECT_EQ(log.all(), (Paths{"fs.openDirectory /W", "fs.openDirectoryAt a.txt", "fs.openDirectoryAt b.dylib",
                              "fs.openDirectoryAt sub", "fs.openDirectoryAt link"}));
}

TEST_F(AppWalkTest, EntryTypesOnlySpareQuestionsNeverChangeWhatIsFound) {
  files.addDirectory("/W/a/A.app");
  files.addFile("/W/a/file");
  files.addSymlink("/W/toA", "/W/a");
  files.addSymlink("/W/toFile", "/W/a/file");
  files.addSymlink("/W/dangling", "/nowhere");
  files.addDirectory("/W/b/c/B.app");
  const Paths typed = walk("/W");
  files.reportsEntryTypes = false;
  EXPECT_EQ(walk("/W"), typed);
  EXPECT_EQ(typed, (Paths{"/W/a/A.app", "/W/toA/A.app", "/W/b/c/B.app"}));
}

TEST_F(AppWalkTest, PathsAreSpelledAsTheWatchedDirectoryIs) {
  files.addDirectory("/Applications/Safari.app");
  EXPECT_EQ(walk("/Applications/"), (Paths{"/Applications//Safari.app"}));
  EXPECT_EQ(walk("/Applications/./"), (Paths{"/Applications/.//Safari.app"}));
}

TEST_F(AppWalkTest, RepeatedAndNestedWatchedDirectoriesYieldTheirAppsAgain) {
  files.addDirectory("/W/Inner/A.app");
  files.addDirectory("/W/B.app");
  EXPECT_EQ(walk(Paths{"/W", "/W/Inner", "/W"}),
            (Paths{"/W/Inner/A.app", "/W/B.app", "/W/Inner/A.app", "/W/Inner/A.app", "/W/B.app"}));
}

TEST_F(AppWalkTest, WhatCannotBeListedContributesNothingAndTheWalkGoesOn) {
  files.addDirectory("/W/Locked/Hidden.app");
  files.addDirectory("/W/Open/Seen.app");
  files.setUnreadable("/W/Locked");
  files.addSymlink("/W/dangling", "/nowhere");
  files.addFile("/File");
  EXPECT_EQ(walk(Paths{"/Missing", "/File", "/W"}), (Paths{"/W/Open/Seen.app"}));
  // Inside the tree only a directory that cannot be listed is worth telling;
  // a watched directory is named whatever kept it from being listed.
  EXPECT_EQ(observer.unreadable, (Paths{"/Missing: No such file or directory", "/File: Not a directory",
                                        "/W/Locked: Permission denied"}));
  // Absence below these proves nothing.
  EXPECT_EQ(scan.unreadDirectories, (Paths{"/Missing", "/File", "/W/Locked", "/W/dangling"}));
}

TEST_F(AppWalkTest, ALinkBackUpIsNotFollowedAndNothingElseIsLost) {
  auto build = [this](bool withLinks) {
    files.remove("/W");
    files.addDirectory("/W/a/A.app");
    files.addDirectory("/W/a/deeper/D.app");
    files.addDirectory("/W/b/B.app");
    files.addSymlink("/W/b/sibling", "/W/a");  // not a cycle: walked again
    if (withLinks) {
      files.addSymlink("/W/a/deeper/up", "/W");
      files.addSymlink("/W/a/self", "/W/a");
      files.addSymlink("/W/b/back", "/W/b/");
    }
    files.addDirectory("/W/z/Z.app");
  };
  build(false);
  const Paths acyclic = walk("/W");
  build(true);
  EXPECT_EQ(walk("/W"), acyclic);
  EXPECT_EQ(acyclic, (Paths{"/W/a/A.app", "/W/a/deeper/D.app", "/W/b/B.app", "/W/b/sibling/A.app",
                            "/W/b/sibling/deeper/D.app", "/W/z/Z.app"}));
}

TEST_F(AppWalkTest, TwoLinksThatLeadIntoEachOtherEndTheWalk) {
  files.addDirectory("/W/a/A.app");
  files.addDirectory("/W/b/B.app");
  files.addSymlink("/W/a/toB", "/W/b");
  files.addSymlink("/W/b/toA", "/W/a");
  EXPECT_EQ(walk("/W"), (Paths{"/W/a/A.app", "/W/a/toB/B.app", "/W/b/B.app", "/W/b/toA/A.app"}));
}

// Each directory of a chain links twice to the next: 2^n paths to the last
// one. Every directory is listed at most twice, so the walk stays short, and
// a second path to a directory still shows its apps.
TEST_F(AppWalkTest, LinksThatMultiplyPathsListEachDirectoryAtMostTwice) {
  constexpr int kLevels = 40;
  for (int level = 0; level < kLevels; ++level) {
    const std::string here = "/Chain/d" + std::to_string(level);
    const std::string next = "/Chain/d" + std::to_string(level + 1);
    files.addFile(here + "/A" + std::to_string(level) + ".app");
    files.addSymlink(here + "/x", next);
    files.addSymlink(here + "/y", next);
  }
  files.addDirectory("/Chain/d" + std::to_string(kLevels));
  walk("/Chain/d0");
  EXPECT_LE(log.matching("fs.").size(), 4u * kLevels);
  EXPECT_EQ(std::count(scan.apps.begin(), scan.apps.end(), "/Chain/d0/x/A1.app"), 1);
  EXPECT_EQ(std::count(scan.apps.begin(), scan.apps.end(), "/Chain/d0/y/A1.app"), 1);
  EXPECT_EQ(scan.apps.size(), 1u + 2 * (kLevels - 1));
}

TEST_F(AppWalkTest, SameDirectoryMeansSameDeviceAndInode) {
  // A directory mounted inside itself shows its own identity again: not
  // entered. Another device's directory with the same inode number is.
  files.addDirectory("/W/mount/M.app");
  files.addDirectory("/W/other/O.app");
  files.setIdentity("/W", {7, 2});
  files.setIdentity("/W/mount", {7, 2});
  files.setIdentity("/W/other", {8, 2});
  EXPECT_EQ(walk("/W"), (Paths{"/W/other/O.app"}));
}

TEST_F(AppWalkTest, AVeryDeepTreeIsWalkedInOrder) {
  constexpr int kDepth = 100000;
  std::string path = "/Deep";
  Paths expected;
  for (int level = 1; level <= kDepth; ++level) {
    path += "/d";
    if (level % 25000 == 0) {
      files.addFile(path + "/L" + std::to_string(level) + ".app");
      expected.push_back(path + "/L" + std::to_string(level) + ".app");
    }
  }
  files.addDirectory(path);
  files.addDirectory("/Deep/After.app");
  expected.push_back("/Deep/After.app");
  EXPECT_EQ(walk("/Deep"), expected);
}

// A name the settings file could not hold, or that would print as more than
// one line, never reaches the catalogue.
TEST_F(AppWalkTest, NamesThatCannotBeAppPathsAreSkippedAndNamed) {
  files.addFile("/W/\xFF.app");
  files.addDirectory("/W/caf\xE9/In.app");
  files.addDirectory("/W/caf\xC3\xA9/Good.app");
  files.addFile("/W/Bad\x01.app");
  files.addFile("/W/Two\nLines.app");
  files.addDirectory("/W/tab\there/T.app");
  files.addFile("/W/del\x7F.app");
  files.addFile("/W/csi\xC2\x9B.app");
  files.addFile("/W/non\xEF\xBF\xBF.app");
  files.addFile("/W/nbsp\xC2\xA0.app");
  files.addFile("/W/ok.app");
  files.addDirectory("/bad\xE9/X.app");
  const Paths apps = walk(Paths{"/W", "/bad\xE9", "/Ctl\x1B.app"});
  EXPECT_EQ(apps, (Paths{"/W/caf\xC3\xA9/Good.app", "/W/nbsp\xC2\xA0.app", "/W/ok.app"}));
  const std::string notUtf8 = ": the name is not valid UTF-8";
  const std::string control = ": the name holds a control character";
  EXPECT_EQ(observer.skippedPaths,
            (Paths{"/W/\xFF.app" + notUtf8, "/W/caf\xE9" + notUtf8, "/W/Bad\x01.app" + control,
                   "/W/Two\nLines.app" + control, "/W/tab\there" + control, "/W/del\x7F.app" + control,
                   "/W/csi\xC2\x9B.app" + control, "/W/non\xEF\xBF\xBF.app: the name holds a character that cannot be stored",
                   "/bad\xE9" + notUtf8, "/Ctl\x1B.app" + control}));
  EXPECT_TRUE(log.matching("fs.openDirectoryAt caf\xE9").empty()) << "nothing is asked about a skipped name";
}

TEST_F(AppWalkTest, TheWalkRunsWithoutAnObserver) {
  files.addDirectory("/W/Locked");
  files.setUnreadable("/W/Locked");
  files.addFile("/W/\xFF.app");
  files.addFile("/W/A.app");
  AppScan quiet;
  collectAppPaths(files, kinds, "/W", quiet);
  collectAppPaths(files, kinds, "/Missing", quiet);
  EXPECT_EQ(quiet.apps, (Paths{"/W/A.app"}));
}

}  // namespace
}  // namespace wendaro
