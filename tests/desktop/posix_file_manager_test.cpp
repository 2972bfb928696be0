#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>

#include "desktop/linux/linux_app_kinds.h"
#include "desktop/linux/posix_file_manager.h"
#include "discovery/app_walk.h"
#include "platform/path_strings.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using Paths = std::vector<std::string>;

class PosixFileManagerTest : public ::testing::Test {
 protected:
  std::string at(const std::string& relative) const { return root + "/" + relative; }
  void directory(const std::string& relative) { std::filesystem::create_directories(at(relative)); }
  void file(const std::string& relative) {
    std::filesystem::create_directories(std::filesystem::path(at(relative)).parent_path());
    int fd = ::open(at(relative).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << relative;
    ::close(fd);
  }
  void link(const std::string& target, const std::string& relative) {
    ASSERT_EQ(::symlink(target.c_str(), at(relative).c_str()), 0) << relative;
  }
  static FileIdentity identityOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return {status.st_dev, status.st_ino};
  }

  testing::TemporaryDirectory temporary;
  const std::string root = temporary.path();
};

// The walk as plainly written: follow links to ask whether a path is a
// directory, list it by path, walk each entry by path.
void plainWalk(const std::string& path, Paths& apps) {
  if (pathExtension(path) == "app") {
    apps.push_back(path);
    return;
  }
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return;
  DIR* directory = ::opendir(path.c_str());
  if (!directory) return;
  Paths names;
  while (const dirent* entry = ::readdir(directory)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(directory);
  for (const auto& name : names) plainWalk(path + "/" + name, apps);
}

Paths plainWalk(const std::string& path) {
  Paths apps;
  plainWalk(path, apps);
  return apps;
}

Paths fastWalk(PosixFileManager& files, const std::string& path) {
  LinuxAppKinds kinds(files);
  AppScan scan;
  collectAppPaths(files, kinds, path, scan);
  return scan.apps;
}

TEST_F(PosixFileManagerTest, ListsEveryEntryWithTheTypeTheListingGives) {
  directory("d");
  file("f");
  file(".hidden");
  link("d", "l");
  ASSERT_EQ(::mkfifo(at("p").c_str(), 0644), 0);
  PosixFileManager files;
  OpenedDirectory opened = files.openDirectory(root);
  ASSERT_TRUE(opened.directory) << opened.reason;
  std::vector<std::pair<std::string, EntryType>> entries;
  for (const auto& entry : opened.directory->entries()) entries.emplace_back(entry.name, entry.type);
  std::sort(entries.begin(), entries.end());
  // tmpfs and the usual disk file systems report types; none reports unknown.
  EXPECT_EQ(entries, (std::vector<std::pair<std::string, EntryType>>{{".hidden", EntryType::NotDirectory},
                                                                     {"d", EntryType::Directory},
                                                                     {"f", EntryType::NotDirectory},
                                                                     {"l", EntryType::Link},
                                                                     {"p", EntryType::NotDirectory}}));
  EXPECT_EQ(opened.directory->identity(), identityOf(root));
}

TEST_F(PosixFileManagerTest, OpensThroughLinksAndSaysWhyNot) {
  directory("d/inner");
  file("f");
  link("d", "toDirectory");
  link("f", "toFile");
  link("nowhere", "dangling");
  link("loop", "loop");
  // Drives the system mounts: one mounted now, two away, whose empty
  // folders must not read as "no apps".
  directory("mounted");
  directory("away drive");
  directory("helper");
  link("away drive", "toAway");
  std::ofstream(at("fstab")) << "# drives\nUUID=1 " << at("away\\040drive") << " ext4 noauto 0 0\n"
                             << "nas:/apps " << at("mounted") << "/ nfs defaults 0 0\nnone swap sw 0 0\n";
  std::ofstream(at("utab")) << "SRC=/dev/sdb1 TARGET=" << at("helper") << " ROOT=/ OPTS=uhelper=udisks2\n";
  std::ofstream(at("mountinfo")) << "40 27 0:50 / " << at("mounted") << " rw - nfs nas:/apps rw\n";
  PosixFileManager files(64, {at("fstab"), at("utab"), at("mountinfo")});
  OpenedDirectory top = files.openDirectory(root);
  ASSERT_TRUE(top.directory);
  struct Case {
    std::string name;
    OpenFailure failure;
  };
  const Case cases[] = {
      {"d", OpenFailure::None},          {"toDirectory", OpenFailure::None},
      {"f", OpenFailure::NotADirectory}, {"toFile", OpenFailure::NotADirectory},
      {"dangling", OpenFailure::Missing}, {"loop", OpenFailure::Missing},
      {"absent", OpenFailure::Missing},  {"d/inner", OpenFailure::Missing},  // one entry, not a path
      {"", OpenFailure::Missing},
      {"mounted", OpenFailure::None},    {"away drive", OpenFailure::Unreadable},
      {"toAway", OpenFailure::Unreadable}, {"helper", OpenFailure::Unreadable},
  };
  for (const Case& c : cases) {
    OpenedDirectory opened = files.openDirectoryAt(*top.directory, c.name);
    EXPECT_EQ(opened.failure, c.failure) << c.name;
    EXPECT_EQ(opened.directory != nullptr, c.failure == OpenFailure::None) << c.name;
    EXPECT_EQ(opened.reason.empty(), c.failure == OpenFailure::None) << c.name;
    if (opened.directory) {
      EXPECT_EQ(opened.directory->identity(), identityOf(at(c.name))) << c.name;
    }
  }
  EXPECT_EQ(files.openDirectory(at("f")).failure, OpenFailure::NotADirectory);
  EXPECT_EQ(files.openDirectory(at("absent")).failure, OpenFailure::Missing);
  EXPECT_EQ(files.openDirectory(root + std::string("\0/d", 3)).failure, OpenFailure::Missing)
      << "a NUL must not cut the path short";
}

TEST_F(PosixFileManagerTest, WalkFindsWhatThePlainWalkFindsInTheSameOrder) {
  std::mt19937 engine(1234);
  auto pick = [&](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine); };
  const Paths suffixes = {"", "", "", ".app", ".APP", ".framework", ".bundle", ".App"};
  // Links point into T only, and nothing in T links back, so the plain walk
  // ends; at most two links lead to any directory of T, so the walk, which
  // lists a directory at most twice, has no reason to pass one over.
  Paths directories = {"W", "T"};
  Paths linked;
  auto within = [](const std::string& path, const std::string& directory) {
    return (path + "/").starts_with(directory + "/");
  };
  auto pathsTo = [&](const std::string& directory) {
    return std::count_if(linked.begin(), linked.end(), [&](const std::string& l) { return within(directory, l); });
  };
  auto apart = [&](const std::string& target) {
    return std::all_of(directories.begin(), directories.end(),
                       [&](const std::string& d) { return !within(d, target) || pathsTo(d) < 2; });
  };
  for (int i = 0; i < 400; ++i) {
    const std::string parent = directories[pick(directories.size())];
    const std::string name = parent + "/n" + std::to_string(i) + suffixes[pick(suffixes.size())];
    switch (pick(6)) {
      case 0:
      case 1:
        directory(name);
        if (!name.ends_with(".app")) directories.push_back(name);
        break;
      case 2:
        if (name.starts_with("W")) {
          Paths targets;
          std::copy_if(directories.begin(), directories.end(), std::back_inserter(targets),
                       [&apart](const std::string& d) { return d.starts_with("T/") && apart(d); });
          if (targets.empty()) {
            file(name);
            break;
          }
          linked.push_back(targets[pick(targets.size())]);
          link(at(linked.back()), name);
          break;
        }
        [[fallthrough]];
      default:
        file(name);
    }
  }
  PosixFileManager files;
  const Paths expected = plainWalk(at("W"));
  EXPECT_GT(expected.size(), 20u);
  EXPECT_EQ(fastWalk(files, at("W")), expected);
  EXPECT_EQ(fastWalk(files, at("W") + "/"), plainWalk(at("W") + "/"));
}

// Caps the number of descriptors the process may hold for as long as it lives.
class DescriptorLimit {
 public:
  explicit DescriptorLimit(rlim_t limit) {
    ::getrlimit(RLIMIT_NOFILE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_NOFILE, &lowered);
  }
  ~DescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &saved_); }
  DescriptorLimit(const DescriptorLimit&) = delete;
  DescriptorLimit& operator=(const DescriptorLimit&) = delete;

 private:
  rlimit saved_{};
};

// The limit under which the process can open just `count` more descriptors.
rlim_t limitLeavingFree(int count) {
  for (int fd = 0, unused = 0;; ++fd) {
    if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF && ++unused == count) return fd + 1;
  }
}

TEST_F(PosixFileManagerTest, ATreeDeeperThanTheDescriptorLimitIsWalkedWhole) {
  // Every level holds the way down and a side directory with an app. The
  // side directories have names of their own, so that some list after the
  // way down: the walk comes back to those levels after the deepest and
  // opens them from a descriptor it had to give up.
  constexpr int kDepth = 300;
  int level = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(level, 0);
  for (int i = 0; i < kDepth; ++i) {
    const std::string side = "s" + std::to_string(i);
    ASSERT_EQ(::mkdirat(level, "d", 0755), 0);
    ASSERT_EQ(::mkdirat(level, side.c_str(), 0755), 0);
    const std::string app = side + "/S" + std::to_string(i) + ".app";
    int fd = ::openat(level, app.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    int next = ::openat(level, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(level);
    level = next;
    ASSERT_GE(level, 0);
  }
  ::close(level);
  const Paths expected = plainWalk(root);
  ASSERT_EQ(expected.size(), static_cast<std::size_t>(kDepth));

  Paths found;
  {
    // Room for the 8 it keeps and the one it opens before giving up the
    // least recently used.
    DescriptorLimit limit(limitLeavingFree(9));
    PosixFileManager files(8);
    found = fastWalk(files, root);
  }
  EXPECT_EQ(found, expected);
}

TEST_F(PosixFileManagerTest, ADirectorySwappedWhileItsDescriptorWasGivenUpIsNotReadInItsPlace) {
  directory("a/inner");
  directory("b");
  directory("impostor/inner");
  PosixFileManager files(2);
  OpenedDirectory top = files.openDirectory(root);
  ASSERT_TRUE(top.directory);
  OpenedDirectory a = files.openDirectoryAt(*top.directory, "a");
  OpenedDirectory b = files.openDirectoryAt(*top.directory, "b");  // takes the descriptor of a
  ASSERT_TRUE(a.directory && b.directory);
  std::filesystem::rename(at("a"), at("moved"));
  std::filesystem::rename(at("impostor"), at("a"));
  EXPECT_EQ(files.openDirectoryAt(*a.directory, "inner").failure, OpenFailure::Unreadable);
  std::filesystem::rename(at("a"), at("impostor"));
  std::filesystem::rename(at("moved"), at("a"));
  EXPECT_EQ(files.openDirectoryAt(*a.directory, "inner").failure, OpenFailure::None) << "back in its place";
}

TEST_F(PosixFileManagerTest, ALinkBackUpEndsTheWalkWithNothingLost) {
  directory("W/a/A.app");
  directory("W/b/c/C.app");
  file("W/b/c/B.app");
  PosixFileManager files;
  const Paths acyclic = fastWalk(files, at("W"));
  EXPECT_EQ(acyclic, plainWalk(at("W")));
  link("../..", "W/b/c/up");
  link(".", "W/a/self");
  EXPECT_EQ(fastWalk(files, at("W")), acyclic);
}

}  // namespace
}  // namespace wendaro
