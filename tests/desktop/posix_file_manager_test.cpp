#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "desktop/linux/linux_app_kinds.h"
#include "desktop/linux/posix_file_manager.h"
#include "discovery/app_walk.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using Paths = std::vector<std::string>;
namespace fs = std::filesystem;

class PosixFileManagerTest : public ::testing::Test {
 protected:
  std::string at(const std::string& relative) const { return root + "/" + relative; }
  Paths walk(PosixFileManager& files, const std::string& path) {
    LinuxAppKinds kinds(files);
    AppScan scan;
    collectAppPaths(files, kinds, path, scan);
    std::sort(scan.apps.begin(), scan.apps.end());
    return scan.apps;
  }

  testing::TemporaryDirectory temporary;
  const std::string root = temporary.path();
};

// Opens through links, says why not, and leaves alone the folders of drives
// the system mounts that are away (one mounted now, two not), whose empty
// folders must not read as "no apps".
TEST_F(PosixFileManagerTest, OpensThroughLinksAndSaysWhyNot) {
  for (const char* name : {"d/inner", "mounted", "away drive", "helper"}) fs::create_directories(at(name));
  testing::writeFile(at("f"), "");
  for (const auto& [target, name] : {std::pair{"d", "toDirectory"}, {"f", "toFile"}, {"nowhere", "dangling"},
                                     {"loop", "loop"}, {"away drive", "toAway"}}) {
    fs::create_symlink(target, at(name));
  }
  testing::writeFile(at("fstab"), "# drives\nUUID=1 " + at("away\\040drive") + " ext4 noauto 0 0\nnas:/apps " +
                                      at("mounted") + "/ nfs defaults 0 0\nnone swap sw 0 0\n");
  testing::writeFile(at("utab"), "SRC=/dev/sdb1 TARGET=" + at("helper") + " ROOT=/ OPTS=uhelper=udisks2\n");
  testing::writeFile(at("mountinfo"), "40 27 0:50 / " + at("mounted") + " rw - nfs nas:/apps rw\n");
  PosixFileManager files(64, {at("fstab"), at("utab"), at("mountinfo")});
  OpenedDirectory top = files.openDirectory(root);
  ASSERT_TRUE(top.directory);
  using enum OpenFailure;
  const std::pair<std::string, OpenFailure> cases[] = {
      {"d", None},           {"toDirectory", None},      {"f", NotADirectory},   {"toFile", NotADirectory},
      {"dangling", Missing}, {"loop", Missing},          {"d/inner", Missing},   {"", Missing},
      {"mounted", None},     {"away drive", Unreadable}, {"toAway", Unreadable}, {"helper", Unreadable},
  };
  for (const auto& [name, failure] : cases) {
    OpenedDirectory opened = files.openDirectoryAt(*top.directory, name);
    EXPECT_EQ(opened.failure, failure) << name;
    EXPECT_EQ(opened.reason.empty() && opened.directory, failure == None) << name;
  }
  EXPECT_EQ(files.openDirectory(at("f")).failure, NotADirectory);
  EXPECT_EQ(files.openDirectory(root + std::string("\0/d", 3)).failure, Missing) << "a NUL must not cut the path short";
}

// Every level holds the way down and a side directory with an app, some
// listed after the way down: the walk comes back to those levels from a
// descriptor it had to give up. The process has room for the 8 descriptors
// the walk keeps and the one it opens before giving up the oldest.
TEST_F(PosixFileManagerTest, ATreeDeeperThanTheDescriptorLimitIsWalkedWhole) {
  Paths expected;
  std::string level = root;
  for (int i = 0; i < 300; ++i, level += "/d") {
    fs::create_directories(level + "/s" + std::to_string(i));
    expected.push_back(level + "/s" + std::to_string(i) + "/S.app");
    testing::writeFile(expected.back(), "");
  }
  std::sort(expected.begin(), expected.end());
  rlimit saved{};
  ::getrlimit(RLIMIT_NOFILE, &saved);
  rlimit lowered = saved;
  for (int fd = 0, unused = 0; unused < 9; ++fd) {
    if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF && ++unused == 9) lowered.rlim_cur = fd + 1;
  }
  ::setrlimit(RLIMIT_NOFILE, &lowered);
  PosixFileManager files(8);
  const Paths found = walk(files, root);
  ::setrlimit(RLIMIT_NOFILE, &saved);
  EXPECT_EQ(found, expected);
}

// A directory whose descriptor was given up is opened again by its path, and
// read only if it is still the same one (the deep walk above reads those that
// are); a link back up ends the walk.
TEST_F(PosixFileManagerTest, ReadsNoDirectorySwappedInAndNothingTwice) {
  for (const char* name : {"a/inner", "b", "impostor/inner", "W/a/A.app", "W/b/c/C.app"}) {
    fs::create_directories(at(name));
  }
  PosixFileManager files(2);
  OpenedDirectory top = files.openDirectory(root);
  OpenedDirectory a = files.openDirectoryAt(*top.directory, "a");
  OpenedDirectory b = files.openDirectoryAt(*top.directory, "b");  // takes the descriptor of a
  ASSERT_TRUE(a.directory && b.directory);
  fs::rename(at("a"), at("moved"));
  fs::rename(at("impostor"), at("a"));
  EXPECT_EQ(files.openDirectoryAt(*a.directory, "inner").failure, OpenFailure::Unreadable);

  fs::create_symlink("../..", at("W/b/c/up"));
  fs::create_symlink(".", at("W/a/self"));
  EXPECT_EQ(walk(files, at("W")), (Paths{at("W/a/A.app"), at("W/b/c/C.app")}));
}

}  // namespace
}  // namespace wendaro
