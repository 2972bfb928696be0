#pragma once

#include <cerrno>
#include <string>
#include <vector>

#include "desktop/store/file_calls.h"

namespace wendaro::testing {

// The real file calls, counted and named in order, of which chosen ones fail.
class FaultyFileCalls : public FileCalls {
 public:
  enum class Fault {
    // Only the chosen call fails (errno EIO); a failing write writes half first.
    OneCallFails,
    // The chosen call and every later one fail, as if the machine stopped
    // there: nothing more reaches the disk, not even the cleanup.
    StopsThere,
  };

  FaultyFileCalls() = default;
  FaultyFileCalls(Fault fault, int failingCall) : fault_(fault), failingCall_(failingCall) {}
  // Only the first call of that name fails.
  explicit FaultyFileCalls(std::string failingName) : failingName_(std::move(failingName)) {}

  std::vector<std::string> made;  // the names of the calls, in order

  int makeDirectory(const std::string& path, mode_t mode) override {
    return fails("makeDirectory") ? -1 : FileCalls::makeDirectory(path, mode);
  }
  int createUniqueFile(std::string& pathTemplate) override {
    return fails("createUniqueFile") ? -1 : FileCalls::createUniqueFile(pathTemplate);
  }
  int changeMode(int fd, mode_t mode) override { return fails("changeMode") ? -1 : FileCalls::changeMode(fd, mode); }
  ssize_t write(int fd, const void* data, size_t size) override {
    if (fails("write")) {
      if (size > 1) FileCalls::write(fd, data, size / 2);
      errno = EIO;
      return -1;
    }
    return FileCalls::write(fd, data, size);
  }
  int sync(int fd) override { return fails("sync") ? -1 : FileCalls::sync(fd); }
  int close(int fd) override {
    // The descriptor is closed in any case, as the system does.
    bool failing = fails("close");
    int result = FileCalls::close(fd);
    if (failing) errno = EIO;
    return failing ? -1 : result;
  }
  int rename(const std::string& from, const std::string& to) override {
    return fails("rename") ? -1 : FileCalls::rename(from, to);
  }
  int renameWithoutReplacing(const std::string& from, const std::string& to) override {
    return fails("renameWithoutReplacing") ? -1 : FileCalls::renameWithoutReplacing(from, to);
  }
  int openDirectory(const std::string& path) override {
    return fails("openDirectory") ? -1 : FileCalls::openDirectory(path);
  }
  int removeFile(const std::string& path) override { return fails("removeFile") ? -1 : FileCalls::removeFile(path); }

 private:
  bool fails(const char* name) {
    made.push_back(name);
    int number = static_cast<int>(made.size());
    bool failing = failingCall_ > 0 &&
                   (fault_ == Fault::OneCallFails ? number == failingCall_ : number >= failingCall_);
    if (!failingName_.empty() && name == failingName_) {
      failing = true;
      failingName_.clear();
    }
    if (failing) errno = EIO;
    return failing;
  }

  Fault fault_ = Fault::OneCallFails;
  int failingCall_ = 0;
  std::string failingName_;
};

}  // namespace wendaro::testing
