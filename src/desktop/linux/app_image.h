#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wendaro {

// An AppImage: a regular executable file (a link to one counts) named
// "*.AppImage" in any case, with something before the extension.
bool hasAppImageName(std::string_view name);
bool isAppImage(int directoryFd, std::string_view name);

// The title of an AppImage: its file name without the extension.
std::string appImageTitle(std::string_view name);

}  // namespace wendaro
