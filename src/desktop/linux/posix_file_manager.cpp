#include "desktop/linux/posix_file_manager.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <list>
#include <system_error>
#include <utility>

#include "desktop/linux/file_identity.h"

namespace wendaro {

// Where a directory is: its parent's place and its name there, or, for one
// opened by path, that path; and its descriptor while it has one.
class DirectoryPlace {
 public:
  DirectoryPlace(DescriptorCache& owner, std::shared_ptr<DirectoryPlace> up, std::string where, FileIdentity id)
      : cache(owner), parent(std::move(up)), nameOrPath(std::move(where)), identity(id) {}
  ~DirectoryPlace();
  DirectoryPlace(const DirectoryPlace&) = delete;
  DirectoryPlace& operator=(const DirectoryPlace&) = delete;

  DescriptorCache& cache;
  const std::shared_ptr<DirectoryPlace> parent;  // null when opened by path
  const std::string nameOrPath;
  const FileIdentity identity;
  int descriptor = -1;
  std::list<DirectoryPlace*>::iterator inCache;
};

// The places that hold a descriptor, most recently used first, never more
// than the limit.
class DescriptorCache {
 public:
  explicit DescriptorCache(std::size_t limit) : limit_(std::max<std::size_t>(limit, 2)) {}

  void adopt(DirectoryPlace& place, int descriptor) {
    if (open_.size() >= limit_) closeDescriptor(*open_.back());
    place.descriptor = descriptor;
    open_.push_front(&place);
    place.inCache = open_.begin();
  }
  void touch(DirectoryPlace& place) { open_.splice(open_.begin(), open_, place.inCache); }
  void closeDescriptor(DirectoryPlace& place) {
    open_.erase(place.inCache);
    ::close(place.descriptor);
    place.descriptor = -1;
  }

 private:
  std::size_t limit_;
  std::list<DirectoryPlace*> open_;
};

DirectoryPlace::~DirectoryPlace() {
  if (descriptor >= 0) cache.closeDescriptor(*this);
}

namespace {

constexpr int kOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
constexpr std::size_t kBufferBytes = 32 * 1024;

// Where one entry's name lies in a directory's name buffer.
struct NameSpan {
  std::size_t offset;
  std::size_t length;
  EntryType type;
};

class PosixDirectory : public DirectoryHandle {
 public:
  PosixDirectory(std::shared_ptr<DirectoryPlace> place, std::string names, const std::vector<NameSpan>& found)
      : place_(std::move(place)), names_(std::move(names)) {
    entries_.reserve(found.size());
    for (const NameSpan& entry : found) entries_.push_back({{names_.data() + entry.offset, entry.length}, entry.type});
  }
  FileIdentity identity() const override { return place_->identity; }
  std::span<const DirectoryEntry> entries() const override { return entries_; }
  const std::shared_ptr<DirectoryPlace>& place() const { return place_; }

 private:
  std::shared_ptr<DirectoryPlace> place_;
  std::string names_;  // the entries' names, each followed by a NUL
  std::vector<DirectoryEntry> entries_;  // refer into names_
};

std::string describe(int error) { return std::generic_category().message(error); }

OpenedDirectory failure(int error) {
  switch (error) {
    case ENOENT:
    case ELOOP:
    case ENAMETOOLONG:
      return {nullptr, OpenFailure::Missing, describe(error)};
    case ENOTDIR:
      return {nullptr, OpenFailure::NotADirectory, describe(error)};
    default:
      return {nullptr, OpenFailure::Unreadable, describe(error)};
  }
}

EntryType entryType(unsigned char type) {
  switch (type) {
    case DT_DIR: return EntryType::Directory;
    case DT_LNK: return EntryType::Link;
    case DT_UNKNOWN: return EntryType::Unknown;
    default: return EntryType::NotDirectory;
  }
}

// A name that openat takes as one entry of the directory, NUL-terminated into
// `out`.
bool asEntryName(std::string_view name, char (&out)[NAME_MAX + 1]) {
  if (name.empty() || name.size() > NAME_MAX) return false;
  if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos) return false;
  std::memcpy(out, name.data(), name.size());
  out[name.size()] = '\0';
  return true;
}

// Opens the place again after its descriptor was given up, from the nearest
// place up the chain that still has one; -1 with errno set when that fails or
// something else now stands there.
int reopen(DirectoryPlace& place) {
  std::vector<DirectoryPlace*> closed;
  DirectoryPlace* current = &place;
  while (current->descriptor < 0) {
    closed.push_back(current);
    if (!current->parent) break;
    current = current->parent.get();
  }
  if (current->descriptor >= 0) current->cache.touch(*current);
  for (auto it = closed.rbegin(); it != closed.rend(); ++it) {
    DirectoryPlace& step = **it;
    int descriptor = -1;
    if (step.parent) {
      char name[NAME_MAX + 1];
      if (!asEntryName(step.nameOrPath, name)) {
        errno = ENOENT;
        return -1;
      }
      descriptor = ::openat(step.parent->descriptor, name, kOpenFlags);
    } else {
      descriptor = ::open(step.nameOrPath.c_str(), kOpenFlags);
    }
    if (descriptor < 0) return -1;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !(identityOf(status) == step.identity)) {
      ::close(descriptor);
      errno = ESTALE;
      return -1;
    }
    step.cache.adopt(step, descriptor);
  }
  return place.descriptor;
}

int placeDescriptor(DirectoryPlace& place) {
  if (place.descriptor >= 0) {
    place.cache.touch(place);
    return place.descriptor;
  }
  return reopen(place);
}

}  // namespace

PosixFileManager::PosixFileManager(std::size_t maxOpenDescriptors, MountTables mountTables)
    : mountTables_(std::move(mountTables)),
      cache_(std::make_unique<DescriptorCache>(maxOpenDescriptors)),
      buffer_(kBufferBytes / sizeof(std::uint64_t)) {}

PosixFileManager::~PosixFileManager() = default;

OpenedDirectory PosixFileManager::openDirectory(const std::string& path) {
  if (path.find('\0') != std::string::npos) return failure(ENOENT);
  unmountedMountPoints_ = unmountedMountPoints(mountTables_);
  int descriptor = ::open(path.c_str(), kOpenFlags);
  if (descriptor < 0) return failure(errno);
  return read(descriptor, nullptr, path);
}

int PosixFileManager::descriptorOf(const DirectoryHandle& directory) {
  return placeDescriptor(*static_cast<const PosixDirectory&>(directory).place());
}

OpenedDirectory PosixFileManager::openDirectoryAt(const DirectoryHandle& parent, std::string_view name) {
  char entryName[NAME_MAX + 1];
  if (!asEntryName(name, entryName)) return failure(ENOENT);
  const auto& place = static_cast<const PosixDirectory&>(parent).place();
  int parentDescriptor = placeDescriptor(*place);
  if (parentDescriptor < 0) return {nullptr, OpenFailure::Unreadable, describe(errno)};
  int descriptor = ::openat(parentDescriptor, entryName, kOpenFlags);
  if (descriptor < 0) return failure(errno);
  return read(descriptor, place, name);
}

// Lists the open directory whole and wraps it; the descriptor stays with the
// directory's place for opening its entries.
OpenedDirectory PosixFileManager::read(int descriptor, std::shared_ptr<DirectoryPlace> parent,
                                       std::string_view nameOrPath) {
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) {
    int error = errno;
    ::close(descriptor);
    return {nullptr, OpenFailure::Unreadable, describe(error)};
  }
  if (std::ranges::find(unmountedMountPoints_, identityOf(status)) != unmountedMountPoints_.end()) {
    ::close(descriptor);
    return {nullptr, OpenFailure::Unreadable, "its drive is not mounted"};
  }

  std::string names;
  std::vector<NameSpan> found;
  auto* bytes = reinterpret_cast<char*>(buffer_.data());
  for (;;) {
    ssize_t filled = ::getdents64(descriptor, bytes, kBufferBytes);
    if (filled == 0) break;
    if (filled < 0) {
      int error = errno;
      ::close(descriptor);
      return {nullptr, OpenFailure::Unreadable, describe(error)};
    }
    for (ssize_t at = 0; at < filled;) {
      const auto* record = reinterpret_cast<const struct dirent64*>(bytes + at);
      at += record->d_reclen;
      const char* name = record->d_name;
      if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
      std::size_t length = std::strlen(name);
      found.push_back({names.size(), length, entryType(record->d_type)});
      names.append(name, length + 1);
    }
  }

  auto place = std::make_shared<DirectoryPlace>(*cache_, std::move(parent), std::string(nameOrPath),
                                                identityOf(status));
  cache_->adopt(*place, descriptor);
  return {std::make_unique<PosixDirectory>(std::move(place), std::move(names), found),
          OpenFailure::None, {}};
}

}  // namespace wendaro
