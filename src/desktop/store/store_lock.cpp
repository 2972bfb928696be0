#include "desktop/store/store_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>

#include "desktop/store/atomic_file.h"

namespace wendaro {

namespace {

std::optional<pid_t> pidInFile(int fd) {
  char text[32];
  ssize_t count = ::pread(fd, text, sizeof text - 1, 0);
  if (count <= 0) return std::nullopt;
  pid_t pid = 0;
  auto [end, error] = std::from_chars(text, text + count, pid);
  if (error != std::errc() || pid <= 0) return std::nullopt;
  return pid;
}

bool recordProcessId(int fd) {
  std::string pid = std::to_string(::getpid()) + "\n";
  return ::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.data(), pid.size(), 0) == static_cast<ssize_t>(pid.size());
}

}  // namespace

StoreLock::StoreLock(std::string lockFilePath) : path_(std::move(lockFilePath)) {}

StoreLock::~StoreLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool StoreLock::tryAcquire() {
  if (fd_ >= 0) return true;
  holder_.reset();
  failure_.clear();
  if (WriteOutcome made = makeDirectories(parentDirectory(path_)); !made.succeeded) {
    failure_ = made.failure;
    return false;
  }
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    failure_ = "cannot open " + path_ + ": " + lastErrorText();
    return false;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) holder_ = pidInFile(fd);
    else failure_ = "cannot lock " + path_ + ": " + lastErrorText();
    ::close(fd);
    return false;
  }
  fd_ = fd;
  // The lock is what counts; the process id only serves the message of a
  // second copy, so it does not matter whether it could be written.
  [[maybe_unused]] bool recorded = recordProcessId(fd_);
  return true;
}

std::string StoreLock::refusalMessage() const {
  if (!failure_.empty()) return "wendaro: cannot make sure that no other copy of wendaro is running (" + failure_ + ")";
  std::string who = holder_ ? "(process " + std::to_string(*holder_) + ") " : "";
  return "wendaro: another copy of wendaro " + who + "is already running for this user and owns the settings in " +
         parentDirectory(path_) + "; this one exits";
}

}  // namespace wendaro
