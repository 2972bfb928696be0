#pragma once

#include <string>
#include <string_view>

// How app paths are named, ordered and compared.
namespace wendaro {

// The canonically composed (NFC) form of a UTF-8 string.
std::string canonicalComposition(std::string_view text);

// The app name key of a path: its extension removed, its last component, in
// lower case by the full Unicode mapping of no particular locale, in NFC.
// "/Applications/Safari.app" -> "safari".
std::string appNameKey(std::string_view appPath);

// App name order: by app name key, code point by code point; false for equal
// keys, so that a stable sort keeps such paths in the order found.
bool appSortsBefore(std::string_view a, std::string_view b);

// Two app paths are the same application when their NFC forms are equal code
// point for code point; nothing else is normalised.
bool pathsEqual(std::string_view a, std::string_view b);

}  // namespace wendaro
