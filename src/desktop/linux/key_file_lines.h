#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wendaro {

// What a key file's line scanner hands on: each group header's name, and each
// key with its raw value (leading blanks removed, escapes untouched).
struct KeyFileVisitor {
  std::function<void(std::string_view name)> group;
  // `value` stops at a NUL byte in the line.
  std::function<void(std::string_view key, std::string_view value)> entry;
};

// Where a key file breaks the format, for people.
struct KeyFileError {
  std::size_t line;  // counted from 1
  std::string what;
};

// Scans a whole key file (a desktop entry's format) line by line with the
// rules GLib's key-file loader applies, and stops at the first line it
// refuses: a line that is neither a comment, a group header nor a key, a
// key before any group, an invalid group or key name, or an Encoding other
// than UTF-8 in the first group. Blank and comment lines are skipped.
std::optional<KeyFileError> scanKeyFile(std::string_view text, const KeyFileVisitor& visitor);

// Whether `c` is a blank in the key-file format (ASCII white space).
constexpr bool isKeyFileBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace wendaro
