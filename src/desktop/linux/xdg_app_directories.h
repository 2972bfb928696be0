#pragma once

#include <functional>
#include <string>
#include <vector>

namespace wendaro {

// The directories where a Linux desktop keeps its apps, in the order in
// which a desktop-file ID found in an earlier one hides the same ID in a
// later one: $XDG_DATA_HOME/applications, then each $XDG_DATA_DIRS entry's
// applications (both with their XDG defaults when unset, empty or not
// absolute); then, when they are there but XDG_DATA_DIRS lacks them, the
// directories where Flatpak (for the user, then for the system) and Snap
// export their apps' desktop entries; then ~/Applications, where AppImages
// are usually kept. Each directory once.
std::vector<std::string> defaultAppDirectories();

// The same rule on given values (null for an unset variable), with `exists`
// telling whether a directory is there.
std::vector<std::string> defaultAppDirectoriesFrom(const char* xdgDataHome, const char* xdgDataDirs,
                                                   const std::string& home,
                                                   const std::function<bool(const std::string&)>& exists);

}  // namespace wendaro
