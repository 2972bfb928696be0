#include "settings/shape_checks.h"

namespace wendaro {

std::optional<std::vector<std::string>> asStringArray(const Value& value) {
  if (!value.isArray()) return std::nullopt;
  std::vector<std::string> strings;
  strings.reserve(value.array().size());
  for (const auto& element : value.array()) {
    if (!element.isString()) return std::nullopt;
    strings.push_back(element.string());
  }
  return strings;
}

std::optional<std::vector<Value::Data>> asDataArray(const Value& value) {
  if (!value.isArray()) return std::nullopt;
  std::vector<Value::Data> blobs;
  blobs.reserve(value.array().size());
  for (const auto& element : value.array()) {
    if (!element.isData()) return std::nullopt;
    blobs.push_back(element.data());
  }
  return blobs;
}

std::optional<std::map<std::string, std::vector<std::string>>> asStringArrayDictionary(const Value& value) {
  if (!value.isDictionary()) return std::nullopt;
  std::map<std::string, std::vector<std::string>> dictionary;
  for (const auto& [key, element] : value.dictionary()) {
    auto strings = asStringArray(element);
    if (!strings) return std::nullopt;
    dictionary.emplace(key, std::move(*strings));
  }
  return dictionary;
}

std::optional<std::map<std::string, std::string>> asStringDictionary(const Value& value) {
  if (!value.isDictionary()) return std::nullopt;
  std::map<std::string, std::string> dictionary;
  for (const auto& [key, element] : value.dictionary()) {
    if (!element.isString()) return std::nullopt;
    dictionary.emplace(key, element.string());
  }
  return dictionary;
}

Value stringArrayDictionaryValue(const std::map<std::string, std::vector<std::string>>& dictionary) {
  Value::Dictionary stored;
  for (const auto& [key, strings] : dictionary) stored.emplace(key, stringArrayValue(strings));
  return Value(std::move(stored));
}

Value stringDictionaryValue(const std::map<std::string, std::string>& dictionary) {
  Value::Dictionary stored;
  for (const auto& [key, string] : dictionary) stored.emplace(key, Value(string));
  return Value(std::move(stored));
}

}  // namespace wendaro
