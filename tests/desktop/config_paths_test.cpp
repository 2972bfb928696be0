#include <gtest/gtest.h>

#include <cstdlib>

#include "desktop/store/config_paths.h"

namespace wendaro {
namespace {

TEST(ConfigPaths, TheConfigHomeFollowsTheXdgRules) {
  struct Case {
    const char* xdgConfigHome;
    const char* home;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"/custom/config", "/home/ann", "/custom/config"},
      {nullptr, "/home/ann", "/home/ann/.config"},
      {"", "/home/ann", "/home/ann/.config"},
      {"relative/config", "/home/ann", "/home/ann/.config"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(configHomeFrom(c.xdgConfigHome, c.home), c.expected) << (c.xdgConfigHome ? c.xdgConfigHome : "unset");
  }
}

TEST(ConfigPaths, EveryFileLivesUnderTheConfigHome) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  std::string previous = saved ? saved : "";
  ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
  EXPECT_EQ(settingsFilePath(), "/tmp/cfg/wendaro/defaults.plist");
  EXPECT_EQ(settingsLockPath(), "/tmp/cfg/wendaro/wendaro.lock");
  EXPECT_EQ(autostartDirectory(), "/tmp/cfg/autostart");
  if (saved) ::setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
  else ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace wendaro
