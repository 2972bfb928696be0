#pragma once

#include "desktop/linux/desktop_entry_context.h"
#include "desktop/linux/posix_file_manager.h"
#include "platform/app_kinds.h"

namespace wendaro {

// The apps of a Linux desktop besides "*.app": desktop entries (files named
// "*.desktop", read as GLib's application listing reads them, identified by
// their desktop-file ID) and AppImages (regular executable files named
// "*.AppImage" in any case, titled by their name without the extension).
// Asks only about entries of the directories `files` lists.
class LinuxAppKinds : public AppKinds {
 public:
  explicit LinuxAppKinds(PosixFileManager& files) : files_(files) {}

  void beginScan() override;
  std::optional<AppFile> examine(const DirectoryHandle& directory, const DirectoryEntry& entry,
                                 std::string_view path) override;
  std::vector<std::string> defaultDirectories() const override;

 private:
  PosixFileManager& files_;
  // What the reading of desktop entries depends on, for the scan under way.
  std::optional<DesktopEntryContext> context_;
};

}  // namespace wendaro
