#include "desktop/store/plist_values.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "desktop/store/text_checks.h"

namespace wendaro {

namespace {

struct FreeString {
  void operator()(char* text) const { std::free(text); }
};
using OwnedString = std::unique_ptr<char, FreeString>;

std::optional<std::string> whyUnstorableAt(const Value& value, int depth) {
  if (depth > kMaxPlistNesting) return tooDeeplyNested();
  switch (value.kind()) {
    case Value::Kind::String:
      if (auto why = whyNotXmlText(value.string())) return "a string cannot be stored: " + *why;
      return std::nullopt;
    case Value::Kind::Real:
      if (value.real() == 0.0 && std::signbit(value.real())) return "negative zero cannot be stored";
      return std::nullopt;
    case Value::Kind::Date: {
      double seconds = value.date().secondsSinceReferenceDate;
      if (std::floor(seconds) != seconds || seconds < std::numeric_limits<std::int32_t>::min() ||
          seconds > std::numeric_limits<std::int32_t>::max()) {
        return "a date must be a whole second from 1932-12-13 to 2069-01-19 to be stored";
      }
      return std::nullopt;
    }
    case Value::Kind::Array:
      for (const Value& item : value.array()) {
        if (auto why = whyUnstorableAt(item, depth + 1)) return why;
      }
      return std::nullopt;
    case Value::Kind::Dictionary:
      for (const auto& [key, item] : value.dictionary()) {
        if (auto why = whyUnstorableKey(key)) return why;
        if (auto why = whyUnstorableAt(item, depth + 1)) return why;
      }
      return std::nullopt;
    case Value::Kind::Data:
    case Value::Kind::Boolean:
    case Value::Kind::Integer:
      return std::nullopt;
  }
  return std::nullopt;
}

Result<Value> failure(std::string message) { return PlatformError{std::move(message)}; }

Result<Value> valueFromPlistAt(plist_t node, int depth) {
  if (depth > kMaxPlistNesting) return failure(tooDeeplyNested());
  switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
      uint8_t flag = 0;
      plist_get_bool_val(node, &flag);
      return Value(flag != 0);
    }
    case PLIST_UINT: {
      // libplist keeps every integer as 64 unsigned bits; the file's
      // integers are signed (the text check refuses the rest).
      uint64_t bits = 0;
      plist_get_uint_val(node, &bits);
      return Value(static_cast<std::int64_t>(bits));
    }
    case PLIST_REAL: {
      double number = 0;
      plist_get_real_val(node, &number);
      return Value(number);
    }
    case PLIST_DATE: {
      int32_t seconds = 0, microseconds = 0;
      plist_get_date_val(node, &seconds, &microseconds);
      return Value(Date{seconds + microseconds / 1e6});
    }
    case PLIST_STRING: {
      char* raw = nullptr;
      plist_get_string_val(node, &raw);
      OwnedString text(raw);
      std::string string = text ? text.get() : "";
      if (auto why = whyNotXmlText(string)) return failure("a string is unusable: " + *why);
      return Value(std::move(string));
    }
    case PLIST_DATA: {
      char* raw = nullptr;
      uint64_t length = 0;
      plist_get_data_val(node, &raw, &length);
      OwnedString bytes(raw);
      auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.get());
      return Value(bytes ? Value::Data(begin, begin + length) : Value::Data());
    }
    case PLIST_ARRAY: {
      Value::Array array;
      uint32_t size = plist_array_get_size(node);
      array.reserve(size);
      for (uint32_t i = 0; i < size; ++i) {
        Result<Value> item = valueFromPlistAt(plist_array_get_item(node, i), depth + 1);
        if (!item.ok()) return item;
        array.push_back(item.value());
      }
      return Value(std::move(array));
    }
    case PLIST_DICT: {
      Value::Dictionary dictionary;
      plist_dict_iter iterator = nullptr;
      plist_dict_new_iter(node, &iterator);
      std::unique_ptr<void, decltype(&std::free)> ownedIterator(iterator, &std::free);
      for (;;) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iterator, &rawKey, &item);
        OwnedString key(rawKey);
        if (!item) break;
        std::string name = key ? key.get() : "";
        if (auto why = whyNotXmlText(name)) return failure("a key is unusable: " + *why);
        Result<Value> value = valueFromPlistAt(item, depth + 1);
        if (!value.ok()) return value;
        if (!dictionary.emplace(name, value.value()).second) return failure("the key \"" + name + "\" appears twice");
      }
      return Value(std::move(dictionary));
    }
    case PLIST_UID:
      return failure("it holds a UID, which the settings have no value for");
    case PLIST_KEY:
    case PLIST_NONE:
      break;
  }
  return failure("it holds an element that is not a value");
}

}  // namespace

std::optional<std::string> whyUnstorable(const Value& value) { return whyUnstorableAt(value, 1); }

Result<Value> valueFromPlist(plist_t node) { return valueFromPlistAt(node, 1); }

std::optional<std::string> whyUnstorableKey(const std::string& key) {
  if (auto why = whyNotXmlText(key)) return "a key cannot be stored: " + *why;
  return std::nullopt;
}

PlistNode plistFromValue(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::String: return PlistNode(plist_new_string(value.string().c_str()));
    case Value::Kind::Data: {
      const Value::Data& bytes = value.data();
      return PlistNode(plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    case Value::Kind::Boolean: return PlistNode(plist_new_bool(value.boolean() ? 1 : 0));
    // libplist writes its unsigned 64 bits as a signed decimal number.
    case Value::Kind::Integer: return PlistNode(plist_new_uint(static_cast<uint64_t>(value.integer())));
    case Value::Kind::Real: return PlistNode(plist_new_real(value.real()));
    case Value::Kind::Date:
      return PlistNode(plist_new_date(static_cast<int32_t>(value.date().secondsSinceReferenceDate), 0));
    case Value::Kind::Array: {
      PlistNode array(plist_new_array());
      for (const Value& item : value.array()) plist_array_append_item(array.get(), plistFromValue(item).release());
      return array;
    }
    case Value::Kind::Dictionary: {
      PlistNode dictionary(plist_new_dict());
      for (const auto& [key, item] : value.dictionary()) {
        plist_dict_set_item(dictionary.get(), key.c_str(), plistFromValue(item).release());
      }
      return dictionary;
    }
  }
  return PlistNode(plist_new_string(""));
}

}  // namespace wendaro
