#pragma once

#include <string>
#include <string_view>

#include "platform/result.h"

namespace wendaro {

// The text of an autostart entry (a Desktop Entry file) that starts the
// program at `executablePath` at login, or why there is none: the path must
// be absolute UTF-8 without control characters.
Result<std::string> autostartEntryText(const std::string& executablePath);

// The argument as it is written in an Exec value: in double quotes, with the
// quoting backslashes and then the value's own escapes, and % doubled.
std::string execArgument(std::string_view argument);

}  // namespace wendaro
