#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace wendaro {

// The kind of a directory entry as the listing reports it, without a further
// question to the file system. A link is reported as a link whatever it points
// to; some file systems report no kind at all.
enum class EntryType { Directory, NotDirectory, Link, Unknown };

struct DirectoryEntry {
  // The entry's name; valid as long as the directory it was read from.
  std::string_view name;
  EntryType type = EntryType::Unknown;
};

// What makes a directory the same directory however it was reached.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// For maps keyed by file identity: inode numbers of one device are dense, so
// they are spread before the device is mixed in.
struct FileIdentityHash {
  std::size_t operator()(const FileIdentity& identity) const noexcept {
    return std::hash<std::uint64_t>{}(identity.inode * 0x9E3779B97F4A7C15ULL ^ identity.device);
  }
};

// A directory the file manager has opened and listed. It must not outlive
// the file manager that opened it.
class DirectoryHandle {
 public:
  virtual ~DirectoryHandle() = default;
  virtual FileIdentity identity() const = 0;
  // Every entry, hidden ones included and "." and ".." excluded, in the order
  // the file system gives.
  virtual std::span<const DirectoryEntry> entries() const = 0;
};

// Why a directory could not be opened and listed.
enum class OpenFailure {
  None,
  Missing,        // nothing is there, or a link leads nowhere
  NotADirectory,  // something is there, but not a directory
  Unreadable,     // a directory that could not be opened or listed
};

struct OpenedDirectory {
  std::unique_ptr<DirectoryHandle> directory;  // set exactly when `failure` is None
  OpenFailure failure = OpenFailure::None;
  std::string reason;  // the system's own words for the failure, for people
};

// Read-only questions about the file system. One call answers both whether a
// directory exists at a place (following links) and what it holds, so that a
// walk needs no separate existence query.
class FileManager {
 public:
  virtual ~FileManager() = default;
  // Opens and lists the directory at `path`, following links.
  virtual OpenedDirectory openDirectory(const std::string& path) = 0;
  // Opens and lists the entry `name` of `parent`, following a link. `parent`
  // must come from this file manager.
  virtual OpenedDirectory openDirectoryAt(const DirectoryHandle& parent, std::string_view name) = 0;
};

}  // namespace wendaro
