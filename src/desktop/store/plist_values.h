#pragma once

#include <plist/plist.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/defaults_value.h"
#include "platform/result.h"

namespace wendaro {

struct PlistFree {
  void operator()(void* node) const { plist_free(node); }
};
// An owned libplist node.
using PlistNode = std::unique_ptr<void, PlistFree>;

// How deep arrays and dictionaries may nest in the settings file.
inline constexpr int kMaxPlistNesting = 256;
// Why a value nested deeper than that is refused.
inline std::string tooDeeplyNested() {
  return "it nests more than " + std::to_string(kMaxPlistNesting) + " levels deep";
}

// Why the value cannot be written to an XML property list and read back
// exactly, or nothing when it can. Strings and dictionary keys must be XML
// text; a date must be a whole number of seconds that fits in 32 bits (the
// format's resolution and libplist's range); a real must not be negative zero
// (libplist writes it as zero).
std::optional<std::string> whyUnstorable(const Value& value);
std::optional<std::string> whyUnstorableKey(const std::string& key);

// The node of a storable value.
PlistNode plistFromValue(const Value& value);

// The value of a node read from a file, or why there is none: the node holds
// a kind that has no value here (a UID), a string that is not XML text, or
// one key twice.
Result<Value> valueFromPlist(plist_t node);

}  // namespace wendaro
