#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace wendaro {

// The claim of one running copy of the program on the user's settings: an
// exclusive lock on a file next to them, held until the object is destroyed
// or the process ends (the system releases it then, also after a crash).
// The lock is not inherited by programs the process starts.
class StoreLock {
 public:
  explicit StoreLock(std::string lockFilePath);
  ~StoreLock();
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;

  // Whether this process now owns the settings. False when another process
  // holds the lock, or when the lock file cannot be made.
  bool tryAcquire();
  bool isHeld() const { return fd_ >= 0; }

  // One line that says why this process cannot start, after tryAcquire failed.
  std::string refusalMessage() const;

 private:
  std::string path_;
  int fd_ = -1;
  std::optional<pid_t> holder_;
  std::string failure_;
};

}  // namespace wendaro
