#include "desktop/linux/program_search.h"

#include <sys/stat.h>
#include <unistd.h>

namespace wendaro {

ProgramSearch::ProgramSearch(std::optional<std::string> searchPath, bool superuser)
    : searchPath_(searchPath.value_or("/bin:/usr/bin:.")), superuser_(superuser) {}

bool ProgramSearch::finds(std::string_view program) const {
  std::string name(program);
  if (const auto known = found_.find(name); known != found_.end()) return known->second;
  const bool found = look(name);
  found_.emplace(std::move(name), found);
  return found;
}

bool ProgramSearch::look(const std::string& program) const {
  if (program.find('/') != std::string::npos) return isProgram(program);
  std::size_t start = 0;
  while (true) {
    const std::size_t colon = searchPath_.find(':', start);
    const std::size_t end = colon == std::string::npos ? searchPath_.size() : colon;
    const std::string candidate =
        end == start ? program : searchPath_.substr(start, end - start) + "/" + program;
    if (isProgram(candidate)) return true;
    if (colon == std::string::npos) return false;
    start = colon + 1;
  }
}

bool ProgramSearch::isProgram(const std::string& path) const {
  if (::access(path.c_str(), X_OK) != 0) return false;
  struct stat status {};
  const bool known = ::stat(path.c_str(), &status) == 0;
  // The superuser may execute anything; GLib asks for an execute bit too.
  if (superuser_ && !(known && (status.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)))) return false;
  return !(known && S_ISDIR(status.st_mode));
}

}  // namespace wendaro
