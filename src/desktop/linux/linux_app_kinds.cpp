#include "desktop/linux/linux_app_kinds.h"

#include <sys/stat.h>

#include <cerrno>
#include <ctime>
#include <cstdlib>
#include <cstring>

#include "desktop/linux/app_image.h"
#include "desktop/linux/desktop_entry_reader.h"
#include "desktop/linux/file_identity.h"
#include "desktop/linux/xdg_app_directories.h"

namespace wendaro {

namespace {

AppFile::Verdict verdictOf(DesktopEntryVerdict verdict) {
  switch (verdict) {
    case DesktopEntryVerdict::Shown: return AppFile::Verdict::Shown;
    case DesktopEntryVerdict::NotShown: return AppFile::Verdict::NotShown;
    case DesktopEntryVerdict::NotAnApp: return AppFile::Verdict::NotAnApp;
    case DesktopEntryVerdict::Invalid: return AppFile::Verdict::Invalid;
  }
  return AppFile::Verdict::Invalid;
}

// How long ago a file time was, by the clock the file system stamps with.
std::chrono::nanoseconds sinceChange(const struct timespec& time) {
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return std::chrono::seconds(now.tv_sec - time.tv_sec) + std::chrono::nanoseconds(now.tv_nsec - time.tv_nsec);
}

bool operator==(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::string wordsOf(const DesktopEntryContext& context) {
  std::string words;
  for (const auto& language : context.languages) words += language + ":";
  words += "|";
  for (const auto& desktop : context.currentDesktops) words += desktop + ":";
  const char* path = std::getenv("PATH");
  return words + "|" + (path ? path : "");
}

}  // namespace

// Readings of files that the previous scan no longer met are dropped; all
// of them when what the readings depend on changed.
void LinuxAppKinds::beginScan() {
  context_.emplace(DesktopEntryContext::fromEnvironment());
  std::string words = wordsOf(*context_);
  if (words != contextWords_) {
    readings_.clear();
    contextWords_ = std::move(words);
  }
  std::erase_if(readings_, [this](const auto& kept) { return kept.second.scan < scan_; });
  ++scan_;
}

std::optional<AppFile> LinuxAppKinds::examine(const DirectoryHandle& directory, const DirectoryEntry& entry,
                                              std::string_view) {
  const bool desktopEntry = entry.name.ends_with(".desktop");
  if (!desktopEntry && !hasAppImageName(entry.name)) return std::nullopt;
  const int directoryFd = files_.descriptorOf(directory);
  if (directoryFd < 0) {
    if (!desktopEntry) return std::nullopt;
    return AppFile{AppFile::Verdict::Invalid, {}, std::strerror(errno), true};
  }
  if (desktopEntry) return examineDesktopEntry(directoryFd, entry);
  if (!isAppImage(directoryFd, entry.name)) return std::nullopt;
  return AppFile{AppFile::Verdict::Shown, appImageTitle(entry.name), {}, false};
}

std::optional<AppFile> LinuxAppKinds::examineDesktopEntry(int directoryFd, const DirectoryEntry& entry) {
  if (!context_) beginScan();
  const std::string name(entry.name);
  struct stat status {};
  if (::fstatat(directoryFd, name.c_str(), &status, 0) != 0) {
    return AppFile{AppFile::Verdict::Invalid, {}, std::strerror(errno), true};
  }
  // The name alone makes it a desktop entry, as in GLib's listing: a
  // directory of that name hides lower copies of its ID and is not walked.
  if (S_ISDIR(status.st_mode)) return AppFile{AppFile::Verdict::Invalid, {}, std::strerror(EISDIR), true};

  Reading& reading = readings_[identityOf(status)];
  const bool unchanged = reading.settled && reading.modified == status.st_mtim &&
                         reading.changed == status.st_ctim && reading.size == status.st_size;
  if (!unchanged) {
    DesktopEntryReading read = readDesktopEntry(directoryFd, entry.name, *context_);
    reading.file = {verdictOf(read.verdict), std::move(read.title), std::move(read.reason), true};
    reading.modified = status.st_mtim;
    reading.changed = status.st_ctim;
    reading.size = status.st_size;
    reading.settled = sinceChange(status.st_ctim) >= settled_ && sinceChange(status.st_mtim) >= settled_;
  }
  reading.scan = scan_;
  return reading.file;
}

std::vector<std::string> LinuxAppKinds::defaultDirectories() const { return defaultAppDirectories(); }

}  // namespace wendaro
