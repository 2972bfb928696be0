#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace wendaro::fake {

// The calls to the fake desktop whose order tests check, as "service.operation argument".
class CallLog {
 public:
  void record(std::string_view service, std::string_view operation, std::string_view argument = {}) {
    std::string line = std::string(service) + "." + std::string(operation);
    if (!argument.empty()) line += " " + std::string(argument);
    calls_.push_back(std::move(line));
  }
  const std::vector<std::string>& all() const { return calls_; }
  // The calls that start with the prefix, in order.
  std::vector<std::string> matching(std::string_view prefix) const {
    std::vector<std::string> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                 [&](auto& call) { return call.starts_with(prefix); });
    return found;
  }
  void clear() { calls_.clear(); }

 private:
  std::vector<std::string> calls_;
};

}  // namespace wendaro::fake
