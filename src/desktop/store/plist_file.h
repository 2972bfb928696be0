#pragma once

#include <string>
#include <string_view>

#include "platform/defaults_value.h"
#include "platform/result.h"

namespace wendaro {

// The XML property list text of the settings: one dictionary, its keys in
// order. Every value must be storable (see whyUnstorable).
std::string plistTextOfSettings(const Value::Dictionary& settings);

// The settings an XML property list text holds, or why it holds none: it is
// not a property list, its top level is not a dictionary, or a value in it
// was not read exactly as written.
Result<Value::Dictionary> settingsFromPlistText(std::string_view text);

}  // namespace wendaro
