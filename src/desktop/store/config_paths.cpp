#include "desktop/store/config_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace wendaro {

namespace {

std::string accountHome() {
  const passwd* account = ::getpwuid(::getuid());
  return account && account->pw_dir ? account->pw_dir : "";
}

}  // namespace

std::string configHomeFrom(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome && xdgConfigHome[0] == '/') return xdgConfigHome;
  std::string homeDirectory = home && home[0] == '/' ? home : accountHome();
  return homeDirectory + "/.config";
}

std::string homeDirectory() {
  const char* home = std::getenv("HOME");
  return home && home[0] == '/' ? home : accountHome();
}

std::string configHome() { return configHomeFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }

std::string settingsDirectory() { return configHome() + "/wendaro"; }

std::string settingsFilePath() { return settingsDirectory() + "/defaults.plist"; }

std::string settingsLockPath() { return settingsDirectory() + "/wendaro.lock"; }

std::string autostartDirectory() { return configHome() + "/autostart"; }

}  // namespace wendaro
