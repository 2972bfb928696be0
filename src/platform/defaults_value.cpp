#include "platform/defaults_value.h"

namespace wendaro {

Value stringArrayValue(const std::vector<std::string>& strings) {
  Value::Array array;
  array.reserve(strings.size());
  for (const auto& s : strings) array.emplace_back(s);
  return Value(std::move(array));
}

Value dataArrayValue(const std::vector<Value::Data>& blobs) {
  Value::Array array;
  array.reserve(blobs.size());
  for (const auto& blob : blobs) array.emplace_back(blob);
  return Value(std::move(array));
}

}  // namespace wendaro
