#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wendaro {

// Read-only questions about the file system.
class FileManager {
 public:
  virtual ~FileManager() = default;
  // Whether something exists at the path, following a link in the last
  // component; `isDirectory` tells whether it is a directory.
  virtual bool fileExistsAtPath(const std::string& path, bool& isDirectory) const = 0;
  // The names of the entries of the directory, hidden ones included and "."
  // and ".." excluded, in the order the file system gives; nothing when the
  // directory cannot be listed.
  virtual std::optional<std::vector<std::string>> contentsOfDirectoryAtPath(
      const std::string& path) const = 0;
};

}  // namespace wendaro
