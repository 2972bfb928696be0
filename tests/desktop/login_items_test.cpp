#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "desktop/linux/desktop_entry.h"
#include "desktop/linux/xdg_login_items.h"
#include "faulty_file_calls.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using testing::TemporaryDirectory;

const std::string kIdentifier = "org.wendaro.Wendaro-2-Helper";

class LoginItemsTest : public ::testing::Test {
 protected:
  TemporaryDirectory directory;
  std::string autostart = directory / "config/autostart";
  std::string entry = autostart + "/" + kIdentifier + ".desktop";
  std::ostringstream errors;
};

TEST_F(LoginItemsTest, EnablingWritesAnAutostartEntryThatStartsTheProgram) {
  XdgLoginItems items(autostart, "/usr/bin/wendaro", errors);
  ASSERT_TRUE(items.setLoginItemEnabled(kIdentifier, true)) << errors.str();
  EXPECT_EQ(items.entryPath(kIdentifier), entry);
  EXPECT_EQ(testing::readFile(entry),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Version=1.4\n"
            "Name=Wendaro\n"
            "Comment=Starts Wendaro at login\n"
            "Exec=\"/usr/bin/wendaro\"\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n");
  EXPECT_EQ(testing::permissionsOf(entry), 0644u);
  EXPECT_EQ(testing::permissionsOf(autostart), 0700u);
}

TEST_F(LoginItemsTest, EnablingAgainRewritesTheEntryForTheProgramNow) {
  ASSERT_TRUE(XdgLoginItems(autostart, "/old/wendaro", errors).setLoginItemEnabled(kIdentifier, true));
  ASSERT_TRUE(XdgLoginItems(autostart, "/new/wendaro", errors).setLoginItemEnabled(kIdentifier, true));
  auto text = testing::readFile(entry);
  ASSERT_TRUE(text);
  EXPECT_NE(text->find("Exec=\"/new/wendaro\"\n"), std::string::npos) << *text;
  EXPECT_EQ(testing::namesIn(autostart), std::vector<std::string>{kIdentifier + ".desktop"});
}

TEST_F(LoginItemsTest, DisablingRemovesTheEntryAndSucceedsWhenThereIsNone) {
  XdgLoginItems items(autostart, "/usr/bin/wendaro", errors);
  ASSERT_TRUE(items.setLoginItemEnabled(kIdentifier, true));
  testing::writeFile(autostart + "/other.desktop", "someone else's");
  EXPECT_TRUE(items.setLoginItemEnabled(kIdentifier, false));
  EXPECT_EQ(testing::namesIn(autostart), std::vector<std::string>{"other.desktop"});
  EXPECT_TRUE(items.setLoginItemEnabled(kIdentifier, false));
  EXPECT_TRUE(XdgLoginItems(directory / "never/made", "/usr/bin/wendaro", errors).setLoginItemEnabled(kIdentifier, false));
  EXPECT_EQ(errors.str(), "");
}

TEST_F(LoginItemsTest, EveryFailureIsReportedAsFailure) {
  struct Case {
    const char* name;
    std::string autostartDirectory;
    std::string executable;
    std::string identifier;
    bool enable;
  };
  testing::writeFile(directory / "file", "a file where the directory should be");
  std::filesystem::create_directories(directory / "dir/" + kIdentifier + ".desktop/inside");
  const std::vector<Case> cases = {
      {"directory cannot be made", directory / "file/autostart", "/usr/bin/wendaro", kIdentifier, true},
      {"entry cannot be removed", directory / "dir", "/usr/bin/wendaro", kIdentifier, false},
      {"entry cannot be replaced", directory / "dir", "/usr/bin/wendaro", kIdentifier, true},
      {"relative program path", autostart, "wendaro", kIdentifier, true},
      {"program path with a line break", autostart, "/usr/bin/wen\ndaro", kIdentifier, true},
      {"program path not UTF-8", autostart, "/opt/caf\xE9/wendaro", kIdentifier, true},
      {"identifier with a slash", autostart, "/usr/bin/wendaro", "../escape", true},
      {"empty identifier", autostart, "/usr/bin/wendaro", "", false},
  };
  for (const Case& c : cases) {
    errors.str("");
    EXPECT_FALSE(XdgLoginItems(c.autostartDirectory, c.executable, errors).setLoginItemEnabled(c.identifier, c.enable))
        << c.name;
    EXPECT_NE(errors.str().find("wendaro: the autostart entry was not changed: "), std::string::npos) << c.name;
  }
  EXPECT_FALSE(std::filesystem::exists(directory / "escape.desktop"));
}

TEST_F(LoginItemsTest, AFailedWriteLeavesTheEntryAsItWas) {
  ASSERT_TRUE(XdgLoginItems(autostart, "/old/wendaro", errors).setLoginItemEnabled(kIdentifier, true));
  auto before = testing::readFile(entry);
  testing::FaultyFileCalls calls("write");
  EXPECT_FALSE(XdgLoginItems(autostart, "/new/wendaro", errors, calls).setLoginItemEnabled(kIdentifier, true));
  EXPECT_EQ(testing::readFile(entry), before);
}

TEST(DesktopEntry, TheProgramPathIsQuotedAsTheExecKeyWantsIt) {
  struct Case {
    std::string path;
    std::string written;
  };
  const std::vector<Case> cases = {
      {"/usr/bin/wendaro", R"("/usr/bin/wendaro")"},
      {"/opt/my apps/wendaro", R"("/opt/my apps/wendaro")"},
      {"/opt/a\"b/w", R"("/opt/a\\"b/w")"},
      {"/opt/$HOME/w", R"("/opt/\\$HOME/w")"},
      {"/opt/`x`/w", R"("/opt/\\`x\\`/w")"},
      {"/opt/back\\slash/w", R"("/opt/back\\\\slash/w")"},
      {"/opt/100%/w", R"("/opt/100%%/w")"},
      {"/opt/it's;&|<>*?#()~/w", R"("/opt/it's;&|<>*?#()~/w")"},
      {"/opt/Café/w", R"("/opt/Café/w")"},
  };
  for (const Case& c : cases) EXPECT_EQ(execArgument(c.path), c.written) << c.path;
}

}  // namespace
}  // namespace wendaro
