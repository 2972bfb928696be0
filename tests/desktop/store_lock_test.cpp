#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "desktop/store/store_lock.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using testing::TemporaryDirectory;

// Whether a new process, forked from this one, acquires the lock; its
// refusal message comes back through `message`.
bool anotherProcessAcquires(const std::string& lockPath, std::string* message = nullptr) {
  int channel[2];
  if (::pipe(channel) != 0) return false;
  pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    StoreLock lock(lockPath);
    bool acquired = lock.tryAcquire();
    std::string text = acquired ? "" : lock.refusalMessage();
    [[maybe_unused]] auto sent = ::write(channel[1], text.data(), text.size());
    ::_exit(acquired ? 0 : 1);
  }
  ::close(channel[1]);
  std::string text;
  char buffer[256];
  for (ssize_t count; (count = ::read(channel[0], buffer, sizeof buffer)) > 0;) text.append(buffer, count);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (message) *message = text;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(StoreLock, ASecondProcessIsRefusedWithTheHoldersProcessId) {
  TemporaryDirectory directory;
  const std::string lockPath = directory / "config/wendaro/wendaro.lock";
  StoreLock lock(lockPath);
  ASSERT_TRUE(lock.tryAcquire());
  EXPECT_TRUE(lock.tryAcquire()) << "asking again keeps it";
  EXPECT_EQ(testing::permissionsOf(lockPath), 0600u);

  std::string message;
  EXPECT_FALSE(anotherProcessAcquires(lockPath, &message));
  EXPECT_EQ(message, "wendaro: another copy of wendaro (process " + std::to_string(::getpid()) +
                         ") is already running for this user and owns the settings in " + directory.path() +
                         "/config/wendaro; this one exits");
}

TEST(StoreLock, TheLockEndsWithItsOwner) {
  TemporaryDirectory directory;
  const std::string lockPath = directory / "wendaro.lock";
  {
    StoreLock lock(lockPath);
    ASSERT_TRUE(lock.tryAcquire());
  }
  EXPECT_TRUE(anotherProcessAcquires(lockPath)) << "released with the object";

  // A process that dies holding the lock leaves the file but not the lock.
  pid_t holder = ::fork();
  if (holder == 0) {
    StoreLock lock(lockPath);
    ::_exit(lock.tryAcquire() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(holder, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  StoreLock after(lockPath);
  EXPECT_TRUE(after.tryAcquire());
}

// A program started by the holder must not keep the lock when the holder quits.
TEST(StoreLock, ProgramsStartedByTheHolderDoNotInheritIt) {
  TemporaryDirectory directory;
  const std::string lockPath = directory / "wendaro.lock";
  auto lock = std::make_unique<StoreLock>(lockPath);
  ASSERT_TRUE(lock->tryAcquire());
  pid_t program = 0;
  char sleepName[] = "sleep";
  char seconds[] = "30";
  char* arguments[] = {sleepName, seconds, nullptr};
  ASSERT_EQ(::posix_spawnp(&program, "sleep", nullptr, nullptr, arguments, environ), 0);
  lock.reset();
  EXPECT_TRUE(anotherProcessAcquires(lockPath));
  ::kill(program, SIGKILL);
  ::waitpid(program, nullptr, 0);
}

TEST(StoreLock, ALockFileThatCannotBeMadeIsARefusalThatSaysWhy) {
  TemporaryDirectory directory;
  testing::writeFile(directory / "taken", "a file where the directory should be");
  StoreLock lock(directory / "taken/wendaro.lock");
  EXPECT_FALSE(lock.tryAcquire());
  EXPECT_FALSE(lock.isHeld());
  EXPECT_NE(lock.refusalMessage().find(directory / "taken"), std::string::npos) << lock.refusalMessage();
}

}  // namespace
}  // namespace wendaro
