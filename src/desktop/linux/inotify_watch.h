#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace wendaro {

// Watches directories with inotify: an entry added, removed, renamed or
// written in one of them, its attributes changed, or the directory itself
// removed or moved. A directory that is not there is waited for: its nearest
// existing ancestor is watched for the name that leads to it, and nothing
// else there counts. The mount table is watched too, since mounting a drive
// gives no inotify event. The caller polls the two descriptors and drains.
class InotifyWatch {
 public:
  InotifyWatch();
  ~InotifyWatch();
  InotifyWatch(const InotifyWatch&) = delete;
  InotifyWatch& operator=(const InotifyWatch&) = delete;

  // Watches these directories from now on, instead of the earlier ones;
  // those watched before and now stay watched without a gap. Returns the
  // directories that could not be watched because the system's limit of
  // watches is reached.
  std::vector<std::string> watch(const std::vector<std::string>& directories);

  // Readable when changes are pending; -1 when inotify is not available.
  int changesDescriptor() const { return inotify_; }
  // Exceptional (POLLPRI) when the mount table changed; -1 without one.
  int mountsDescriptor() const { return mounts_; }

  // Reads every pending change; whether any of them counts.
  bool drainChanges();
  // Acknowledges a change of the mount table.
  void drainMounts();

 private:
  // Watches `directory`, or its nearest existing ancestor for the name that
  // leads to it; false when the limit of watches is reached.
  bool add(const std::string& directory, std::set<int>& kept);

  int inotify_ = -1;
  int mounts_ = -1;
  // Per watch descriptor: the names whose changes count in it; "" when every
  // change there counts.
  std::map<int, std::set<std::string>> awaitedNames_;
};

}  // namespace wendaro
