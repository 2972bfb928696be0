#include "discovery/app_walk.h"

#include <memory>
#include <unordered_set>

#include "discovery/app_names.h"
#include "platform/path_strings.h"

namespace wendaro {

namespace {

struct IdentityHash {
  std::size_t operator()(const FileIdentity& identity) const noexcept {
    return std::hash<std::uint64_t>{}(identity.inode * 0x9E3779B97F4A7C15ULL ^ identity.device);
  }
};

// The extension of an entry name is exactly "app"; ".app" alone has none.
bool isAppName(std::string_view name) { return name.size() > 4 && name.ends_with(".app"); }

class AppWalk {
 public:
  AppWalk(FileManager& files, std::vector<std::string>& apps, ScanObserver* observer)
      : files_(files), apps_(apps), observer_(observer) {}

  void walk(const std::string& root) {
    if (!isValidUtf8(root)) {
      if (observer_) observer_->skippedName(root);
      return;
    }
    if (pathExtension(root) == "app") {
      apps_.push_back(root);
      return;
    }
    path_ = root;
    enter(files_.openDirectory(root), true);
    while (!stack_.empty()) {
      Frame& top = stack_.back();
      if (top.next == top.entries.size()) {
        onPath_.erase(top.identity);
        stack_.pop_back();
        continue;
      }
      const DirectoryEntry& entry = top.entries[top.next++];
      path_.resize(top.pathLength);
      path_ += '/';
      path_ += entry.name;
      if (!isValidUtf8(entry.name)) {
        if (observer_) observer_->skippedName(path_);
      } else if (isAppName(entry.name)) {
        apps_.push_back(path_);
      } else if (entry.type != EntryType::NotDirectory) {
        enter(files_.openDirectoryAt(*top.directory, entry.name), false);
      }
    }
  }

 private:
  // A directory being listed: its entries are visited in order, each child
  // walked completely before the next entry, as a recursive walk would.
  struct Frame {
    std::unique_ptr<DirectoryHandle> directory;
    std::span<const DirectoryEntry> entries;
    std::size_t next = 0;
    std::size_t pathLength = 0;  // of this directory's path in path_
    FileIdentity identity;
  };

  // Pushes the opened directory, unless it could not be opened or it is
  // already on the way down from the watched directory (a link back up).
  void enter(OpenedDirectory opened, bool watched) {
    if (!opened.directory) {
      bool worthTelling = watched || opened.failure == OpenFailure::Unreadable;
      if (observer_ && worthTelling) observer_->couldNotRead(path_, opened.reason);
      return;
    }
    FileIdentity identity = opened.directory->identity();
    if (!onPath_.insert(identity).second) return;
    std::span<const DirectoryEntry> entries = opened.directory->entries();
    stack_.push_back({std::move(opened.directory), entries, 0, path_.size(), identity});
  }

  FileManager& files_;
  std::vector<std::string>& apps_;
  ScanObserver* observer_;
  std::string path_;  // of the entry being visited; each frame owns a prefix
  std::vector<Frame> stack_;
  std::unordered_set<FileIdentity, IdentityHash> onPath_;
};

}  // namespace

void collectAppPaths(FileManager& files, const std::string& path, std::vector<std::string>& apps,
                     ScanObserver* observer) {
  AppWalk(files, apps, observer).walk(path);
}

}  // namespace wendaro
