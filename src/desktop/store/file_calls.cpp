#include "desktop/store/file_calls.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace wendaro {

int FileCalls::makeDirectory(const std::string& path, mode_t mode) { return ::mkdir(path.c_str(), mode); }

int FileCalls::createUniqueFile(std::string& pathTemplate) { return ::mkostemp(pathTemplate.data(), O_CLOEXEC); }

int FileCalls::changeMode(int fd, mode_t mode) { return ::fchmod(fd, mode); }

ssize_t FileCalls::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }

int FileCalls::sync(int fd) { return ::fsync(fd); }

int FileCalls::close(int fd) { return ::close(fd); }

int FileCalls::rename(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()); }

int FileCalls::renameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  // The file system cannot rename without replacing: a hard link fails just
  // the same when the new name exists.
  if (::link(from.c_str(), to.c_str()) != 0) return -1;
  return ::unlink(from.c_str());
}

int FileCalls::openDirectory(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int FileCalls::removeFile(const std::string& path) { return ::unlink(path.c_str()); }

FileCalls& systemFileCalls() {
  static FileCalls calls;
  return calls;
}

}  // namespace wendaro
