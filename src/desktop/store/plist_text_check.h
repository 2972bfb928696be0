#pragma once

#include <plist/plist.h>

#include <optional>
#include <string>
#include <vector>

#include "desktop/store/plist_elements.h"

namespace wendaro {

// libplist reads a property list leniently: it takes "12abc" as 12, clamps an
// integer that does not fit, reads a malformed number, date or base64 block
// as something, drops a key that has no value and keeps only the last of two
// equal keys. The settings file is taken only when what libplist read matches
// the text element by element: scanPlistElements (plist_elements.h) finds
// the elements of the text, and this compares them with what libplist read.

// Why the node tree that libplist read differs from the elements, or nothing
// when every element was read exactly: the same kinds in the same order, and
// each integer, real, date and data block equal to what its text spells
// under a strict reading.
std::optional<std::string> whyReadDiffersFromText(plist_t root, const std::vector<PlistElement>& elements);

}  // namespace wendaro
