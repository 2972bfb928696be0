#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wendaro {

// The desktop-file ID of an app found at `path` by the walk of the watched
// directory `root` (so `path` is `root`, "/" and more): its path below the
// "applications" directory that holds it, with each "/" turned into "-".
// That directory is `root` itself when `root` is named "applications", else
// the first directory of that name below `root`; without one the app has no
// ID. "/usr/share/applications/kde/okular.desktop" under
// "/usr/share/applications" or "/usr/share" -> "kde-okular.desktop".
std::optional<std::string> desktopFileId(std::string_view root, std::string_view path);

}  // namespace wendaro
