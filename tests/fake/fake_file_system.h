#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fake/call_log.h"
#include "platform/file_manager.h"

namespace wendaro::fake {

// An in-memory file tree. Entries list in the order they were added.
class FakeFileSystem : public FileManager {
 public:
  explicit FakeFileSystem(CallLog& log);
  ~FakeFileSystem() override;

  bool fileExistsAtPath(const std::string& path, bool& isDirectory) const override;
  std::optional<std::vector<std::string>> contentsOfDirectoryAtPath(const std::string& path) const override;

  // Control. Missing parent directories are created.
  void addDirectory(const std::string& path);
  void addFile(const std::string& path);
  // A symbolic link at `path` to the absolute `target`.
  void addSymlink(const std::string& path, const std::string& target);
  // Listing the directory fails.
  void setUnreadable(const std::string& path);
  void remove(const std::string& path);

  struct Node;

 private:
  Node* resolve(const std::string& path, bool followLastLink) const;
  Node& create(const std::string& path, int kind);

  CallLog& log_;
  std::unique_ptr<Node> root_;
};

}  // namespace wendaro::fake
