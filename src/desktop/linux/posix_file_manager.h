#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/linux/mount_points.h"
#include "platform/file_manager.h"

namespace wendaro {

class DescriptorCache;
class DirectoryPlace;

// The file manager of a Linux system. A directory is opened relative to its
// parent's descriptor (so a path may be longer than the system's limit) and
// read whole with getdents64, which also gives each entry's type.
//
// Every open directory handle holds a descriptor only while there are at
// most `maxOpenDescriptors` of them; beyond that the least recently used are
// closed, and reopened from their parent (or their path) when needed again,
// after checking that the same directory is still there. So a walk can
// descend to any depth.
//
// The empty folder where a configured file system is not mounted now cannot
// be read (OpenFailure::Unreadable): it stands for a drive that is away.
// The mount tables are read again with each directory opened by path, where
// a walk starts.
class PosixFileManager : public FileManager {
 public:
  explicit PosixFileManager(std::size_t maxOpenDescriptors = 64, MountTables mountTables = {});
  ~PosixFileManager() override;
  PosixFileManager(const PosixFileManager&) = delete;
  PosixFileManager& operator=(const PosixFileManager&) = delete;

  OpenedDirectory openDirectory(const std::string& path) override;
  OpenedDirectory openDirectoryAt(const DirectoryHandle& parent, std::string_view name) override;

  // A descriptor of the directory, for reading its entries; it stays the file
  // manager's and may be closed by its next call. -1 with errno set when the
  // directory cannot be opened again.
  int descriptorOf(const DirectoryHandle& directory);

 private:
  OpenedDirectory read(int descriptor, std::shared_ptr<DirectoryPlace> parent, std::string_view nameOrPath);

  const MountTables mountTables_;
  std::vector<FileIdentity> unmountedMountPoints_;
  std::unique_ptr<DescriptorCache> cache_;
  std::vector<std::uint64_t> buffer_;  // for getdents64, 8-byte aligned
};

}  // namespace wendaro
