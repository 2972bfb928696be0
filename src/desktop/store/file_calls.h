#pragma once

#include <sys/types.h>

#include <string>

namespace wendaro {

// The file-system calls that change files on disk, one virtual function per
// call with the POSIX meaning (result -1 and errno on failure). The atomic
// writer and the store make every change through this seam, so that a test
// can fail any single call or stop the writer at any point, as a crash would.
class FileCalls {
 public:
  virtual ~FileCalls() = default;

  virtual int makeDirectory(const std::string& path, mode_t mode);
  // Creates a new file from a template ending in "XXXXXX", which is replaced
  // by the name actually made. The descriptor is closed on exec.
  virtual int createUniqueFile(std::string& pathTemplate);
  virtual int changeMode(int fd, mode_t mode);
  virtual ssize_t write(int fd, const void* data, size_t size);
  virtual int sync(int fd);
  virtual int close(int fd);
  virtual int rename(const std::string& from, const std::string& to);
  // Renames only when nothing exists under the new name (EEXIST otherwise).
  virtual int renameWithoutReplacing(const std::string& from, const std::string& to);
  virtual int openDirectory(const std::string& path);
  virtual int removeFile(const std::string& path);
};

// The calls as the operating system makes them.
FileCalls& systemFileCalls();

}  // namespace wendaro
