#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "desktop/store/atomic_file.h"
#include "faulty_file_calls.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using testing::FaultyFileCalls;
using testing::TemporaryDirectory;
using Fault = FaultyFileCalls::Fault;

const std::string kOld = "old contents\n";
const std::string kNew = std::string(10000, 'n') + "\n";

// The calls of one write into an existing directory.
int callsOfOneWrite(const std::string& file) {
  FaultyFileCalls counting;
  EXPECT_TRUE(writeFileAtomically(file, kNew, 0600, counting).succeeded);
  return static_cast<int>(counting.made.size());
}

TEST(AtomicFile, SyncsTheNewFileBeforeTheRenameAndTheDirectoryAfterIt) {
  TemporaryDirectory directory;
  FaultyFileCalls recording;
  ASSERT_TRUE(writeFileAtomically(directory / "file", kNew, 0600, recording).succeeded);
  std::vector<std::string> fromCreation(
      std::find(recording.made.begin(), recording.made.end(), "createUniqueFile"), recording.made.end());
  EXPECT_EQ(fromCreation, (std::vector<std::string>{"createUniqueFile", "changeMode", "write", "sync", "close", "rename",
                                                    "openDirectory", "sync", "close"}));
}

// Every call of the write fails in turn, alone or as the point where the
// machine stops: the file is always the old one or the new one, whole.
TEST(AtomicFile, AnInterruptedWriteLeavesTheOldFileOrTheNewOneNeverATornOne) {
  int total = 0;
  {
    TemporaryDirectory probe;
    testing::writeFile(probe / "file", kOld);
    total = callsOfOneWrite(probe / "file");
  }
  ASSERT_GE(total, 9);
  for (Fault fault : {Fault::OneCallFails, Fault::StopsThere}) {
    for (int failing = 1; failing <= total; ++failing) {
      SCOPED_TRACE((fault == Fault::OneCallFails ? "only call " : "stop at call ") + std::to_string(failing));
      TemporaryDirectory directory;
      testing::writeFile(directory / "file", kOld);
      FaultyFileCalls calls(fault, failing);
      WriteOutcome outcome = writeFileAtomically(directory / "file", kNew, 0600, calls);
      auto contents = testing::readFile(directory / "file");
      ASSERT_TRUE(contents);
      EXPECT_TRUE(*contents == kOld || *contents == kNew) << "torn: " << contents->size() << " bytes";
      if (outcome.succeeded) {
        EXPECT_EQ(*contents, kNew);
      } else {
        EXPECT_FALSE(outcome.failure.empty());
      }
      // Only a directory that is there already may fail to be made; any
      // other failure is one the caller must hear of (a mode not set, a
      // rename not synced).
      if (fault == Fault::OneCallFails && calls.made[failing - 1] != "makeDirectory") {
        EXPECT_FALSE(outcome.succeeded) << "a failed " << calls.made[failing - 1] << " reported as success";
      }
      if (fault == Fault::OneCallFails) {
        EXPECT_EQ(testing::namesIn(directory.path()), std::vector<std::string>{"file"}) << "a temporary file was left";
      }
    }
  }
}

TEST(AtomicFile, CreatesMissingDirectoriesPrivateAndTheFileWithTheGivenMode) {
  TemporaryDirectory directory;
  mode_t previousMask = ::umask(077);
  WriteOutcome privateFile = writeFileAtomically(directory / "a/b/private", "x", 0600);
  WriteOutcome sharedFile = writeFileAtomically(directory / "a/b/shared", "x", 0644);
  ::umask(previousMask);
  ASSERT_TRUE(privateFile.succeeded) << privateFile.failure;
  ASSERT_TRUE(sharedFile.succeeded) << sharedFile.failure;
  EXPECT_EQ(testing::permissionsOf(directory / "a"), 0700u);
  EXPECT_EQ(testing::permissionsOf(directory / "a/b"), 0700u);
  EXPECT_EQ(testing::permissionsOf(directory / "a/b/private"), 0600u);
  EXPECT_EQ(testing::permissionsOf(directory / "a/b/shared"), 0644u);
}

TEST(AtomicFile, ASymbolicLinkStaysAndItsTargetIsReplaced) {
  TemporaryDirectory directory;
  std::filesystem::create_directory(directory / "dotfiles");
  testing::writeFile(directory / "dotfiles/settings", kOld);
  std::filesystem::create_symlink("dotfiles/settings", directory / "link");
  std::filesystem::create_symlink("dotfiles/not-yet", directory / "dangling");

  ASSERT_TRUE(writeFileAtomically(directory / "link", kNew, 0600).succeeded);
  ASSERT_TRUE(writeFileAtomically(directory / "dangling", kNew, 0600).succeeded);

  EXPECT_TRUE(std::filesystem::is_symlink(directory / "link"));
  EXPECT_EQ(testing::readFile(directory / "dotfiles/settings"), kNew);
  EXPECT_TRUE(std::filesystem::is_symlink(directory / "dangling"));
  EXPECT_EQ(testing::readFile(directory / "dotfiles/not-yet"), kNew);
}

TEST(AtomicFile, AFileInTheWayOfTheDirectoryFailsTheWrite) {
  TemporaryDirectory directory;
  testing::writeFile(directory / "taken", "a file, not a directory");
  WriteOutcome outcome = writeFileAtomically(directory / "taken/file", kNew, 0600);
  EXPECT_FALSE(outcome.succeeded);
  EXPECT_NE(outcome.failure.find(directory / "taken"), std::string::npos) << outcome.failure;
}

}  // namespace
}  // namespace wendaro
