#pragma once

#include <plist/plist.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace wendaro {

// libplist reads a property list leniently: it takes "12abc" as 12, clamps an
// integer that does not fit, reads a malformed number, date or base64 block
// as something, drops a key that has no value and keeps only the last of two
// equal keys. The settings file is taken only when what libplist read matches
// the text element by element; these two steps make that comparison.

// One element of the text in document order: its name ("/dict" and "/array"
// for the end of a container, written or implied by "<dict/>") and, for a
// scalar, the raw text between its tags.
struct PlistElement {
  std::string name;
  std::string text;
};

// The elements of the text below <plist>, or why the text cannot be scanned
// (unterminated markup, containers nested too deeply).
Result<std::vector<PlistElement>> scanPlistElements(std::string_view xml);

// Why the node tree that libplist read differs from the elements, or nothing
// when every element was read exactly: the same kinds in the same order, and
// each integer, real, date and data block equal to what its text spells
// under a strict reading.
std::optional<std::string> whyReadDiffersFromText(plist_t root, const std::vector<PlistElement>& elements);

}  // namespace wendaro
