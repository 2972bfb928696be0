#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace wendaro {

// One element of a property list text in document order: its name ("/dict"
// and "/array" for the end of a container, written or implied by "<dict/>")
// and, for a scalar, its text between the tags as written (character data
// unwrapped, comments left out).
struct PlistElement {
  std::string name;
  std::string text;
};

// The elements of the text below <plist>, found where libplist finds them,
// or why the text is not one libplist reads whole: broken markup, a NUL
// byte, or containers nested more than kMaxPlistNesting deep. A text that
// passes is safe to hand to libplist.
Result<std::vector<PlistElement>> scanPlistElements(std::string_view xml);

}  // namespace wendaro
