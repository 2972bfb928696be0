#include "desktop/qt/qt_directory_watcher.h"

#include <algorithm>
#include <cstdio>

namespace wendaro {

QtDirectoryWatcher::QtDirectoryWatcher(bool active, std::chrono::milliseconds quiet, std::chrono::milliseconds longest)
    : quiet_(quiet), longest_(longest) {
  settle_.setSingleShot(true);
  QObject::connect(&settle_, &QTimer::timeout, [this] {
    // The core watches anew from inside the call, replacing `changed_`.
    const std::function<void()> changed = changed_;
    if (changed) changed();
  });
  if (!active) return;
  watch_ = std::make_unique<InotifyWatch>();
  if (watch_->changesDescriptor() >= 0) {
    changes_ = std::make_unique<QSocketNotifier>(watch_->changesDescriptor(), QSocketNotifier::Read);
    QObject::connect(changes_.get(), &QSocketNotifier::activated, [this] {
      if (watch_->drainChanges()) noticed();
    });
  }
  if (watch_->mountsDescriptor() >= 0) {
    mounts_ = std::make_unique<QSocketNotifier>(watch_->mountsDescriptor(), QSocketNotifier::Exception);
    QObject::connect(mounts_.get(), &QSocketNotifier::activated, [this] {
      watch_->drainMounts();
      noticed();
    });
  }
}

QtDirectoryWatcher::~QtDirectoryWatcher() = default;

void QtDirectoryWatcher::watchDirectories(const std::vector<std::string>& directories,
                                          std::function<void()> changed) {
  changed_ = std::move(changed);
  if (!watch_) return;
  const std::vector<std::string> unwatched = watch_->watch(directories);
  if (!unwatched.empty() && !toldLimit_) {
    toldLimit_ = true;
    std::fprintf(stderr,
                 "wendaro: %zu directories are not watched for new apps: the system's limit of inotify watches "
                 "is reached (fs.inotify.max_user_watches)\n",
                 unwatched.size());
  }
}

void QtDirectoryWatcher::noticed() {
  if (!settle_.isActive()) burst_.start();
  const auto left = longest_ - std::chrono::milliseconds(burst_.elapsed());
  settle_.start(std::clamp(left, std::chrono::milliseconds(0), quiet_));
}

}  // namespace wendaro
