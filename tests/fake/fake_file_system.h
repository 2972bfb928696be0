#pragma once

#include <memory>
#include <string>

#include "fake/call_log.h"
#include "platform/file_manager.h"

namespace wendaro::fake {

// An in-memory file tree listing entries in the order they were added, names as bytes.
// Opening a directory by path is recorded as "fs.openDirectory PATH".
class FakeFileSystem : public FileManager {
 public:
  explicit FakeFileSystem(CallLog& log);
  ~FakeFileSystem() override;

  OpenedDirectory openDirectory(const std::string& path) override;
  OpenedDirectory openDirectoryAt(const DirectoryHandle& parent, std::string_view name) override;

  // Missing parent directories are made too.
  void addDirectory(const std::string& path) { create(path, Directory); }
  void addFile(const std::string& path) { create(path, File); }
  void addSymlink(const std::string& path, const std::string& target);  // to an absolute target
  void setUnreadable(const std::string& path);                          // listing the directory fails
  // The directory reports this identity instead of its own, as one mounted
  // a second time would.
  void setIdentity(const std::string& path, FileIdentity identity);
  void remove(const std::string& path);
  // When false, listings report every entry's type as unknown, as some file
  // systems do.
  bool reportsEntryTypes = true;

  enum Kind { Directory, File, Link };
  struct Node;

 private:
  Node* resolve(const std::string& path) const;
  Node& create(const std::string& path, Kind kind);
  OpenedDirectory open(Node* node) const;

  CallLog& log_;
  std::unique_ptr<Node> root_;
  std::uint64_t nodesMade_ = 0;
};

}  // namespace wendaro::fake
