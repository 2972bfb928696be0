#include "desktop/linux/inotify_watch.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace wendaro {

namespace {

constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ATTRIB |
                                   IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// "/a/b/c" -> {"/a/b", "c"}; "/c" -> {"/", "c"}; nothing above "/" or a
// relative path's first name.
bool splitParent(const std::string& path, std::string& parent, std::string& name) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const std::size_t slash = trimmed.rfind('/');
  if (slash == std::string::npos || trimmed.size() <= 1) return false;
  parent = slash == 0 ? "/" : trimmed.substr(0, slash);
  name = trimmed.substr(slash + 1);
  return true;
}

}  // namespace

InotifyWatch::InotifyWatch()
    : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
      mounts_(::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC)) {
  drainMounts();
}

InotifyWatch::~InotifyWatch() {
  if (inotify_ >= 0) ::close(inotify_);
  if (mounts_ >= 0) ::close(mounts_);
}

std::vector<std::string> InotifyWatch::watch(const std::vector<std::string>& directories) {
  std::vector<std::string> beyondLimit;
  if (inotify_ < 0) return beyondLimit;
  std::map<int, std::set<std::string>> before = std::move(awaitedNames_);
  awaitedNames_.clear();
  std::set<int> kept;
  for (const std::string& directory : directories) {
    if (!beyondLimit.empty() || !add(directory, kept)) beyondLimit.push_back(directory);
  }
  for (const auto& [descriptor, names] : before) {
    if (!kept.contains(descriptor)) ::inotify_rm_watch(inotify_, descriptor);
  }
  return beyondLimit;
}

bool InotifyWatch::add(const std::string& directory, std::set<int>& kept) {
  std::string path = directory;
  std::string awaited;  // "" while `path` is the directory itself
  for (;;) {
    const int descriptor = ::inotify_add_watch(inotify_, path.c_str(), kChanges);
    if (descriptor >= 0) {
      kept.insert(descriptor);
      awaitedNames_[descriptor].insert(awaited);
      return true;
    }
    if (errno == ENOSPC) return false;
    std::string parent;
    if (!splitParent(path, parent, awaited)) return true;
    path = parent;
  }
}

bool InotifyWatch::drainChanges() {
  if (inotify_ < 0) return false;
  alignas(inotify_event) char buffer[16 * 1024];
  bool counts = false;
  for (;;) {
    const ssize_t length = ::read(inotify_, buffer, sizeof buffer);
    if (length < 0 && errno == EINTR) continue;
    if (length <= 0) break;
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) {
        counts = true;
        continue;
      }
      auto names = awaitedNames_.find(event->wd);
      if (names == awaitedNames_.end()) continue;
      const std::string name = event->len > 0 ? std::string(event->name) : std::string();
      const bool self = event->mask & (IN_DELETE_SELF | IN_MOVE_SELF);
      if (names->second.contains("") || self || names->second.contains(name)) counts = true;
    }
  }
  return counts;
}

void InotifyWatch::drainMounts() {
  if (mounts_ < 0) return;
  char buffer[4096];
  ::lseek(mounts_, 0, SEEK_SET);
  while (::read(mounts_, buffer, sizeof buffer) > 0) {
  }
}

}  // namespace wendaro
