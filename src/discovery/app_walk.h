#pragma once

#include <string>
#include <vector>

#include "discovery/scan_observer.h"
#include "platform/file_manager.h"

namespace wendaro {

// What walking the watched directories found.
struct AppScan {
  // Every app path, in walk order.
  std::vector<std::string> apps;
  // The directories, spelled as the walk spelled them, that could not be
  // opened: a watched directory that failed for any reason, or one below it
  // that is missing or could not be read. Apps below them may still exist,
  // so their absence from `apps` proves nothing.
  std::vector<std::string> unreadDirectories;
};

// Walks `root` for app bundles and adds what it finds to `scan`, as the
// collectApps operation does: depth first, entries in listing order, each
// path spelled as `root`, "/" and the entry names.
//
// A path whose extension is "app" is an app, with no file-system question;
// anything else that is a directory (links followed) is listed and its
// entries walked; everything else is passed over. Beyond that plain rule the
// walk
// - never enters a directory that is already on its way down (same device
//   and inode), so a link to an ancestor cannot make it endless;
// - walks the contents of one directory at most twice per watched
//   directory: once by its first path and once more by a second path (a
//   link to it), whose apps are found under that path too; further paths to
//   it are passed over. Links that multiply paths (each directory linking
//   twice to the next) would otherwise make the walk exponential, and links
//   such as those of /proc would take it round the whole file system without
//   end;
// - keeps its own stack, so the depth of a tree cannot overflow the call
//   stack;
// - leaves out every path that cannot be an app path (see
//   whyNotAnAppPathName), telling the observer.
void collectAppPaths(FileManager& files, const std::string& root, AppScan& scan, ScanObserver* observer = nullptr);

}  // namespace wendaro
