#pragma once

#include <optional>
#include <string>

#include "platform/defaults_value.h"

namespace wendaro {

// The per-user key/value store that survives restarts. Writes are visible to
// the next read in the same process.
class DefaultsStore {
 public:
  virtual ~DefaultsStore() = default;

  // The stored value of any kind, or nothing when the key is missing.
  virtual std::optional<Value> objectForKey(const std::string& key) const = 0;
  // Replaces the whole value stored under the key.
  virtual void setObject(const std::string& key, const Value& value) = 0;
  virtual void removeObjectForKey(const std::string& key) = 0;

  // The value only when it is an array; otherwise nothing.
  std::optional<Value::Array> arrayForKey(const std::string& key) const;
  // The value only when it is a dictionary; otherwise nothing.
  std::optional<Value::Dictionary> dictionaryForKey(const std::string& key) const;
  // False for a missing key. A stored number counts as true when it is not
  // zero, a stored string when it reads "yes" or "true" in any case, or a
  // whole number other than zero.
  bool boolForKey(const std::string& key) const;
  void setBool(const std::string& key, bool value) { setObject(key, Value(value)); }
};

}  // namespace wendaro
