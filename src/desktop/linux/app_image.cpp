#include "desktop/linux/app_image.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ascii_case.h"

namespace wendaro {

namespace {

constexpr std::string_view kExtension = ".appimage";

}  // namespace

bool hasAppImageName(std::string_view name) {
  return name.size() > kExtension.size() &&
         equalsIgnoringAsciiCase(name.substr(name.size() - kExtension.size()), kExtension);
}

bool isAppImage(int directoryFd, std::string_view name) {
  if (!hasAppImageName(name)) return false;
  const std::string file(name);
  struct stat status {};
  if (::fstatat(directoryFd, file.c_str(), &status, 0) != 0 || !S_ISREG(status.st_mode)) return false;
  return ::faccessat(directoryFd, file.c_str(), X_OK, 0) == 0;
}

std::string appImageTitle(std::string_view name) {
  return std::string(hasAppImageName(name) ? name.substr(0, name.size() - kExtension.size()) : name);
}

}  // namespace wendaro
