#include "desktop/linux/xdg_app_directories.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "desktop/store/config_paths.h"

namespace wendaro {

namespace {

// "/usr/share/" and "/usr/share" give "/usr/share/applications".
std::string applicationsIn(std::string_view dataDirectory) {
  while (dataDirectory.size() > 1 && dataDirectory.ends_with('/')) dataDirectory.remove_suffix(1);
  return std::string(dataDirectory) + "/applications";
}

bool isDirectory(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::vector<std::string> defaultAppDirectoriesFrom(const char* xdgDataHome, const char* xdgDataDirs,
                                                   const std::string& home,
                                                   const std::function<bool(const std::string&)>& exists) {
  std::vector<std::string> directories;
  auto add = [&directories](std::string directory) {
    if (std::find(directories.begin(), directories.end(), directory) == directories.end()) {
      directories.push_back(std::move(directory));
    }
  };

  const bool ownDataHome = xdgDataHome && xdgDataHome[0] == '/';
  add(ownDataHome ? applicationsIn(xdgDataHome) : home + "/.local/share/applications");

  std::vector<std::string> dataDirectories;
  for (std::string_view rest = xdgDataDirs ? xdgDataDirs : ""; !rest.empty();) {
    const std::size_t colon = rest.find(':');
    const std::string_view entry = rest.substr(0, colon);
    if (entry.starts_with('/')) dataDirectories.push_back(applicationsIn(entry));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  }
  if (dataDirectories.empty()) dataDirectories = {"/usr/local/share/applications", "/usr/share/applications"};
  for (auto& directory : dataDirectories) add(std::move(directory));

  for (const std::string& exported : {home + "/.local/share/flatpak/exports/share/applications",
                                      std::string("/var/lib/flatpak/exports/share/applications"),
                                      std::string("/var/lib/snapd/desktop/applications")}) {
    if (exists(exported)) add(exported);
  }
  add(home + "/Applications");
  return directories;
}

std::vector<std::string> defaultAppDirectories() {
  return defaultAppDirectoriesFrom(std::getenv("XDG_DATA_HOME"), std::getenv("XDG_DATA_DIRS"), homeDirectory(),
                                   isDirectory);
}

}  // namespace wendaro
