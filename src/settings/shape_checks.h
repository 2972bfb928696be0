#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/defaults_value.h"

// Stored values are taken into fields only as a whole: one element or value of
// the wrong kind rejects all of it. Empty containers pass.
namespace wendaro {

std::optional<std::vector<std::string>> asStringArray(const Value& value);
std::optional<std::vector<Value::Data>> asDataArray(const Value& value);
std::optional<std::map<std::string, std::vector<std::string>>> asStringArrayDictionary(const Value& value);
std::optional<std::map<std::string, std::string>> asStringDictionary(const Value& value);

// The stored forms of the dictionary fields.
Value stringArrayDictionaryValue(const std::map<std::string, std::vector<std::string>>& dictionary);
Value stringDictionaryValue(const std::map<std::string, std::string>& dictionary);

}  // namespace wendaro
