#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wendaro::fake {

// Every call the fake desktop receives, in order, as "service.operation
// argument" lines, so that tests can assert the orders the program must keep.
class CallLog {
 public:
  void record(std::string_view service, std::string_view operation, std::string_view argument = {});
  const std::vector<std::string>& all() const { return calls_; }
  // The calls that start with the prefix, in order.
  std::vector<std::string> matching(std::string_view prefix) const;
  void clear() { calls_.clear(); }

 private:
  std::vector<std::string> calls_;
};

}  // namespace wendaro::fake
