#include "desktop/store/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace wendaro {

namespace {

WriteOutcome failed(const std::string& what) { return {false, what + ": " + lastErrorText()}; }

std::string fileName(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path of the file that a write to `path` is to replace: the path itself,
// or the file a symbolic link there points to (also when it does not exist yet).
std::string replacedFile(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
  if (char* resolved = ::realpath(path.c_str(), nullptr)) {
    std::string result(resolved);
    std::free(resolved);
    return result;
  }
  char target[PATH_MAX];
  ssize_t length = ::readlink(path.c_str(), target, sizeof target);
  if (length <= 0 || static_cast<size_t>(length) == sizeof target) return path;
  std::string pointed(target, static_cast<size_t>(length));
  return pointed.front() == '/' ? pointed : parentDirectory(path) + "/" + pointed;
}

bool isDirectory(const std::string& path) {
  int saved = errno;
  struct stat status {};
  bool directory = ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
  errno = saved;
  return directory;
}

WriteOutcome writeAll(FileCalls& calls, int fd, std::string_view contents, const std::string& name) {
  size_t written = 0;
  while (written < contents.size()) {
    ssize_t count = calls.write(fd, contents.data() + written, contents.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return failed("cannot write " + name);
    if (count == 0) {
      errno = EIO;
      return failed("cannot write " + name);
    }
    written += static_cast<size_t>(count);
  }
  return {};
}

WriteOutcome syncDirectory(FileCalls& calls, const std::string& directory) {
  int fd = calls.openDirectory(directory);
  if (fd < 0) return failed("cannot open " + directory + " to sync it");
  // Some file systems cannot sync a directory (EINVAL); they order the rename
  // themselves.
  if (calls.sync(fd) != 0 && errno != EINVAL) {
    WriteOutcome outcome = failed("cannot sync " + directory);
    calls.close(fd);
    return outcome;
  }
  if (calls.close(fd) != 0) return failed("cannot sync " + directory);
  return {};
}

}  // namespace

std::string lastErrorText() { return std::strerror(errno); }

std::string parentDirectory(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

WriteOutcome makeDirectories(const std::string& path, FileCalls& calls) {
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    std::string prefix = path.substr(0, end);
    if (!prefix.empty() && calls.makeDirectory(prefix, 0700) != 0 && errno != EEXIST && !isDirectory(prefix)) {
      return failed("cannot create the directory " + prefix);
    }
    if (end == std::string::npos) return {};
  }
}

WriteOutcome writeFileAtomically(const std::string& path, std::string_view contents, mode_t mode,
                                 FileCalls& calls) {
  const std::string target = replacedFile(path);
  const std::string directory = parentDirectory(target);
  if (WriteOutcome made = makeDirectories(directory, calls); !made.succeeded) return made;

  std::string temporary = directory + "/." + fileName(target) + ".XXXXXX";
  int fd = calls.createUniqueFile(temporary);
  if (fd < 0) return failed("cannot create a file in " + directory);

  // Until the rename, a failure leaves the old file and removes the new one.
  auto abandon = [&](WriteOutcome outcome) {
    if (fd >= 0) calls.close(fd);
    calls.removeFile(temporary);
    return outcome;
  };
  if (calls.changeMode(fd, mode) != 0) return abandon(failed("cannot set the mode of " + temporary));
  if (WriteOutcome written = writeAll(calls, fd, contents, temporary); !written.succeeded) return abandon(written);
  if (calls.sync(fd) != 0) return abandon(failed("cannot sync " + temporary));
  int closing = calls.close(fd);
  fd = -1;
  if (closing != 0) return abandon(failed("cannot write " + temporary));
  if (calls.rename(temporary, target) != 0) return abandon(failed("cannot replace " + target));
  return syncDirectory(calls, directory);
}

}  // namespace wendaro
