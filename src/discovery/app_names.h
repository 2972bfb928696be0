#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "discovery/app_titles.h"

// How app paths are named and ordered. App paths are file names, which are
// bytes on Linux: wherever two app paths are matched they are compared
// exactly, byte for byte; only the app name order looks at their characters.
namespace wendaro {

// Whether every byte is below 0x80. ASCII text is its own NFC form.
bool isAscii(std::string_view text);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool isValidUtf8(std::string_view text);

// Why a name found in a watched directory (or a watched directory's path)
// cannot be part of an app path, or nothing when it can. An app path must be
// UTF-8 that the settings file can hold and that prints as one line of text:
// no control character (C0, DEL or C1) and no U+FFFE or U+FFFF.
std::optional<std::string_view> whyNotAnAppPathName(std::string_view name);

// The name key of a title: in lower case by the full Unicode mapping of no
// particular locale, in NFC.
std::string nameKey(std::string_view title);

// The app name key of a path: the name key of its title, which for an app
// named "*.app" is its display name: "/opt/apps/Quill Pad.app" -> "quill pad".
std::string appNameKey(std::string_view appPath, const AppTitles& titles = AppTitles());

// App name order: by app name key, code point by code point; false for equal
// keys, so that a stable sort keeps such paths in the order found. Computes
// both keys on every call; to sort many paths use sortInAppNameOrder().
bool appSortsBefore(std::string_view a, std::string_view b, const AppTitles& titles = AppTitles());

// The positions of the name keys in their order, equal keys in the order
// given.
std::vector<std::size_t> nameKeyOrder(std::vector<std::string> keys);

// The positions of the paths in app name order, equal names in the order
// given; each key is computed once.
std::vector<std::size_t> appNameOrder(const std::vector<std::string>& appPaths, const AppTitles& titles = AppTitles());
// Sorts the paths stably in app name order, computing each key once.
void sortInAppNameOrder(std::vector<std::string>& appPaths, const AppTitles& titles = AppTitles());

}  // namespace wendaro
