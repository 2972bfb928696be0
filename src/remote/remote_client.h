#pragma once

#include <optional>
#include <string>

namespace wendaro::remote {

struct Reply {
  bool done = false;
  // Why it was not done, as one line for the user; empty when done.
  std::string problem;
};

// Calls a method of the running program's interface (remote_interface.h)
// with its one string argument, if any, and the caller's activation token
// when it has one. Waits for the answer. Needs no Qt: this is what the
// command line uses, and it must start fast.
Reply callRunningProgram(const std::string& method, const std::optional<std::string>& argument,
                         const std::string& activationToken);

}  // namespace wendaro::remote
