#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "desktop/linux/desktop_entry_context.h"
#include "desktop/linux/posix_file_manager.h"
#include "platform/app_kinds.h"

namespace wendaro {

// The apps of a Linux desktop besides "*.app": desktop entries (entries named
// "*.desktop", read as GLib's application listing reads them, identified by
// their desktop-file ID; a directory of that name is an invalid one) and AppImages (regular executable files named
// "*.AppImage" in any case, titled by their name without the extension).
// Asks only about entries of the directories `files` lists.
//
// A desktop entry is read again only when it changed: what a reading found
// is kept with the file's identity, size and change times, and a later scan
// (the running program rescans at every change below the watched
// directories) takes it back as long as they are the same. A file changed
// less than `settled` before it was read may change again without its times
// showing it (they have a granularity, of seconds on some file systems), so
// it is read again anyway. As in GLib, a program installed or removed later
// changes the verdict of an unchanged entry only when the entry is read
// again, at the next start.
class LinuxAppKinds : public AppKinds {
 public:
  explicit LinuxAppKinds(PosixFileManager& files, std::chrono::nanoseconds settled = std::chrono::seconds(2))
      : files_(files), settled_(settled) {}

  void beginScan() override;
  std::optional<AppFile> examine(const DirectoryHandle& directory, const DirectoryEntry& entry,
                                 std::string_view path) override;
  std::vector<std::string> defaultDirectories() const override;

 private:
  std::optional<AppFile> examineDesktopEntry(int directoryFd, const DirectoryEntry& entry);

  struct Reading {
    struct timespec modified {};
    struct timespec changed {};
    std::int64_t size = 0;
    std::uint64_t scan = 0;  // the last scan that met the file
    bool settled = false;    // changed long enough before it was read
    AppFile file;
  };

  PosixFileManager& files_;
  const std::chrono::nanoseconds settled_;
  // What the reading of desktop entries depends on, for the scan under way,
  // and in words, to tell whether it changed since the readings were made.
  std::optional<DesktopEntryContext> context_;
  std::string contextWords_;
  std::uint64_t scan_ = 0;
  std::unordered_map<FileIdentity, Reading, FileIdentityHash> readings_;
};

}  // namespace wendaro
