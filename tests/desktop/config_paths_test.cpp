#include <gtest/gtest.h>


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

}  // namespace
}  // namespace wendaro
