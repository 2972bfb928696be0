#include "fake/call_log.h"

namespace wendaro::fake {

void CallLog::record(std::string_view service, std::string_view operation, std::string_view argument) {
  std::string line;
  line.reserve(service.size() + operation.size() + argument.size() + 2);
  line.append(service).append(".").append(operation);
  if (!argument.empty()) line.append(" ").append(argument);
  calls_.push_back(std::move(line));
}

std::vector<std::string> CallLog::matching(std::string_view prefix) const {
  std::vector<std::string> found;
  for (const auto& call : calls_) {
    if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
  }
  return found;
}

}  // namespace wendaro::fake
