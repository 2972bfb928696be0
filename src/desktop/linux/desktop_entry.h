#pragma once

#include <string>
#include <string_view>

#include "platform/result.h"

namespace wendaro {

// The text of an autostart entry (a Desktop Entry file) that starts the
// program at `executablePath` at login, or why there is none: the path must
// be absolute UTF-8 without control characters.
Result<std::string> autostartEntryText(const std::string& executablePath);

// The argument as one word of an Exec command line: in double quotes, with
// backslashes before " ` $ and \, and % doubled.
std::string quotedExecArgument(std::string_view argument);

// The same word as it is written in the Exec value of a file, whose string
// escapes double every backslash once more.
std::string execArgument(std::string_view argument);

}  // namespace wendaro
