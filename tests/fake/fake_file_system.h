#pragma once

#include <memory>
#include <string>

#include "fake/call_log.h"
#include "platform/file_manager.h"

namespace wendaro::fake {

// An in-memory file tree. Entries list in the order they were added. Opening
// a directory by path is recorded as "fs.openDirectory PATH", opening an
// entry of an open directory as "fs.openDirectoryAt NAME".
class FakeFileSystem : public FileManager {
 public:
  explicit FakeFileSystem(CallLog& log);
  ~FakeFileSystem() override;

  OpenedDirectory openDirectory(const std::string& path) override;
  OpenedDirectory openDirectoryAt(const DirectoryHandle& parent, std::string_view name) override;

  // Control. Missing parent directories are created; names are taken as
  // bytes, so they need not be valid UTF-8.
  void addDirectory(const std::string& path);
  void addFile(const std::string& path);
  // A symbolic link at `path` to the absolute `target`.
  void addSymlink(const std::string& path, const std::string& target);
  // Listing the directory fails.
  void setUnreadable(const std::string& path);
  // The directory reports this identity instead of its own (as a directory
  // mounted a second time, or one on another device, would).
  void setIdentity(const std::string& path, FileIdentity identity);
  void remove(const std::string& path);
  // When false, listings report every entry's type as unknown, as some file
  // systems do.
  bool reportsEntryTypes = true;

  struct Node;

 private:
  Node* resolve(const std::string& path) const;
  Node* child(Node& directory, std::string_view name) const;
  Node& create(const std::string& path, int kind);
  OpenedDirectory open(Node* node) const;

  CallLog& log_;
  std::unique_ptr<Node> root_;
  std::uint64_t nodesMade_ = 0;
};

}  // namespace wendaro::fake
