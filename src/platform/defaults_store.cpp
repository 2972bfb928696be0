#include "platform/defaults_store.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace wendaro {

std::optional<Value::Array> DefaultsStore::arrayForKey(const std::string& key) const {
  auto value = objectForKey(key);
  if (!value || !value->isArray()) return std::nullopt;
  return value->array();
}

std::optional<Value::Dictionary> DefaultsStore::dictionaryForKey(const std::string& key) const {
  auto value = objectForKey(key);
  if (!value || !value->isDictionary()) return std::nullopt;
  return value->dictionary();
}

namespace {

bool stringMeansTrue(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (text == "yes" || text == "true") return true;
  long long number = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() && number != 0;
}

}  // namespace

bool DefaultsStore::boolForKey(const std::string& key) const {
  auto value = objectForKey(key);
  if (!value) return false;
  switch (value->kind()) {
    case Value::Kind::Boolean: return value->boolean();
    case Value::Kind::Integer: return value->integer() != 0;
    case Value::Kind::Real: return value->real() != 0.0;
    case Value::Kind::String: return stringMeansTrue(value->string());
    default: return false;
  }
}

}  // namespace wendaro
