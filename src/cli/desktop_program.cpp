#include "cli/desktop_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace wendaro::cli {

namespace {

constexpr const char* kDesktopProgram = "wendaro-desktop";

// The absolute path of this very program, whatever name or link started it.
std::string ownPath() {
  std::string path(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(length));
  return path;
}

}  // namespace

int runDesktopProgram(int argc, char* argv[]) {
  const std::string self = ownPath();
  if (self.empty()) {
    std::fprintf(stderr, "wendaro: cannot find where this program is: %s\n", std::strerror(errno));
    return 1;
  }
  const std::string folder = self.substr(0, self.rfind('/') + 1);
  const std::string candidates[] = {folder + kDesktopProgram,
                                    folder + WENDARO_DESKTOP_FOLDER_FROM_PROGRAM "/" + kDesktopProgram};

  std::vector<char*> arguments(argv, argv + argc);
  arguments.push_back(nullptr);
  arguments.front() = const_cast<char*>(self.c_str());
  int failure = ENOENT;
  for (const std::string& candidate : candidates) {
    ::execv(candidate.c_str(), arguments.data());
    // A missing candidate is no news while another may still be there.
    if (errno != ENOENT || failure == ENOENT) failure = errno;
  }
  std::fprintf(stderr, "wendaro: cannot start %s (looked in %s and %s): %s\n", kDesktopProgram,
               candidates[0].c_str(), candidates[1].c_str(), std::strerror(failure));
  return 1;
}

}  // namespace wendaro::cli
