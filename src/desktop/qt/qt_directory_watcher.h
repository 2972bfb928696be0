#pragma once

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <memory>

#include "desktop/linux/inotify_watch.h"
#include "platform/directory_watcher.h"

namespace wendaro {

// Watches directories from the event loop. A change is told once things
// have been quiet for `quiet`, and at the latest `longest` after the first
// change of a burst, so that a package upgrade writing many files causes
// one rescan, and a change reaches the menus in time however busy the disk.
class QtDirectoryWatcher : public DirectoryWatcher {
 public:
  // Inactive, it watches nothing: for a run that shows nothing and ends.
  explicit QtDirectoryWatcher(bool active, std::chrono::milliseconds quiet = std::chrono::milliseconds(300),
                              std::chrono::milliseconds longest = std::chrono::milliseconds(1000));
  ~QtDirectoryWatcher() override;

  void watchDirectories(const std::vector<std::string>& directories, std::function<void()> changed) override;

 private:
  void noticed();

  std::unique_ptr<InotifyWatch> watch_;
  std::unique_ptr<QSocketNotifier> changes_;
  std::unique_ptr<QSocketNotifier> mounts_;
  std::chrono::milliseconds quiet_;
  std::chrono::milliseconds longest_;
  QTimer settle_;
  QElapsedTimer burst_;
  std::function<void()> changed_;
  bool toldLimit_ = false;
};

}  // namespace wendaro
