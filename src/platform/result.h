#pragma once

#include <string>
#include <utility>
#include <variant>

namespace wendaro {

// An error reported by a platform service.
struct PlatformError {
  std::string message;
};

// A value, or the platform error that prevented it.
template <typename T>
class Result {
 public:
  Result(T value) : content_(std::move(value)) {}
  Result(PlatformError error) : content_(std::move(error)) {}

  bool ok() const { return std::holds_alternative<T>(content_); }
  const T& value() const { return std::get<T>(content_); }
  const PlatformError& error() const { return std::get<PlatformError>(content_); }

 private:
  std::variant<T, PlatformError> content_;
};

}  // namespace wendaro
