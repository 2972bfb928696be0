#pragma once

#include <string>
#include <vector>

#include "discovery/scan_observer.h"
#include "platform/file_manager.h"

namespace wendaro {

// Walks `path` for app bundles and appends every one it finds to `apps`, as
// the collectApps operation does: depth first, entries in listing order, each
// path spelled as `path`, "/" and the entry names.
//
// A path whose extension is "app" is an app, with no file-system question;
// anything else that is a directory (links followed) is listed and its
// entries walked; everything else is passed over. Beyond that plain rule the
// walk
// - never enters a directory that is already on its way down (same device
//   and inode), so a link to an ancestor cannot make it endless;
// - keeps its own stack, so the depth of a tree cannot overflow the call
//   stack;
// - leaves out every path that is not valid UTF-8, telling the observer.
void collectAppPaths(FileManager& files, const std::string& path, std::vector<std::string>& apps,
                     ScanObserver* observer = nullptr);

}  // namespace wendaro
