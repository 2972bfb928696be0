#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wendaro {

// The program of a desktop entry's Exec line: its first word after the
// line is split and unquoted as GLib's shell-like parser does it (blanks,
// single and double quotes, backslashes, "#" comments). None when that
// parser refuses the line: an open quote, a backslash at the end, or no word.
std::optional<std::string> commandLineProgram(std::string_view commandLine);

}  // namespace wendaro
