#include "desktop/linux/linux_app_kinds.h"

#include <sys/stat.h>

#include <cstring>

#include "desktop/linux/app_image.h"
#include "desktop/linux/desktop_entry_reader.h"
#include "desktop/linux/xdg_app_directories.h"

namespace wendaro {

namespace {

AppFile::Verdict verdictOf(DesktopEntryVerdict verdict) {
  switch (verdict) {
    case DesktopEntryVerdict::Shown: return AppFile::Verdict::Shown;
    case DesktopEntryVerdict::NotShown: return AppFile::Verdict::NotShown;
    case DesktopEntryVerdict::Invalid: return AppFile::Verdict::Invalid;
  }
  return AppFile::Verdict::Invalid;
}

// Whether an entry the listing did not call a plain file (a link, or a file
// system that gives no types) is a directory, which the walk enters instead.
bool isDirectoryEntry(int directoryFd, const DirectoryEntry& entry) {
  if (entry.type == EntryType::NotDirectory) return false;
  const std::string name(entry.name);
  struct stat status {};
  return ::fstatat(directoryFd, name.c_str(), &status, 0) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

void LinuxAppKinds::beginScan() { context_.emplace(DesktopEntryContext::fromEnvironment()); }

std::optional<AppFile> LinuxAppKinds::examine(const DirectoryHandle& directory, const DirectoryEntry& entry,
                                              std::string_view) {
  const bool desktopEntry = entry.name.ends_with(".desktop");
  if (!desktopEntry && !hasAppImageName(entry.name)) return std::nullopt;
  const int directoryFd = files_.descriptorOf(directory);
  if (directoryFd < 0) {
    if (!desktopEntry) return std::nullopt;
    return AppFile{AppFile::Verdict::Invalid, {}, std::strerror(errno), true};
  }
  if (!desktopEntry) {
    if (!isAppImage(directoryFd, entry.name)) return std::nullopt;
    return AppFile{AppFile::Verdict::Shown, appImageTitle(entry.name), {}, false};
  }
  if (isDirectoryEntry(directoryFd, entry)) return std::nullopt;
  if (!context_) beginScan();
  DesktopEntryReading reading = readDesktopEntry(directoryFd, entry.name, *context_);
  return AppFile{verdictOf(reading.verdict), std::move(reading.title), std::move(reading.reason), true};
}

std::vector<std::string> LinuxAppKinds::defaultDirectories() const { return defaultAppDirectories(); }

}  // namespace wendaro
