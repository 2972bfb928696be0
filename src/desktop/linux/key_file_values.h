#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wendaro {

// The values of a key file read as GLib reads them, from the raw text after
// "=" (see scanKeyFile).

// A string: none unless the value is UTF-8; the escapes \s \n \t \r \\ are
// undone, an unknown escape is kept as written and a backslash at the end is
// dropped.
std::optional<std::string> keyFileString(std::string_view value);

// A list separated by ";" (a last empty item does not count; "\;" is a ";"
// inside an item): none unless the value is UTF-8 and every escape is known.
std::optional<std::vector<std::string>> keyFileList(std::string_view value);

// A boolean: "true" or "1" (blanks after it allowed); anything else is false.
bool keyFileBoolean(std::string_view value);

}  // namespace wendaro
