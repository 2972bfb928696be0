#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace wendaro {

// Finds programs as GLib does for a desktop entry's TryExec and Exec: a name
// with a "/" is taken as a path (relative to the working directory), any
// other is looked for in each directory of the search path (an empty one
// meaning the working directory). A program is an executable that is not a
// directory; for the superuser, one with an execute bit. Answers are
// remembered, so one scan asks the file system once per program; a new scan
// takes a new ProgramSearch. For one thread at a time, as scans are.
class ProgramSearch {
 public:
  // `searchPath` is PATH; without one GLib searches "/bin:/usr/bin:.".
  ProgramSearch(std::optional<std::string> searchPath, bool superuser);

  bool finds(std::string_view program) const;

 private:
  bool look(const std::string& program) const;
  bool isProgram(const std::string& path) const;

  std::string searchPath_;
  bool superuser_;
  mutable std::unordered_map<std::string, bool> found_;
};

}  // namespace wendaro
