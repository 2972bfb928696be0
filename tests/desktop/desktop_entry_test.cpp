#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "desktop/linux/desktop_entry.h"
#include "desktop/linux/desktop_entry_reader.h"
#include "desktop/linux/xdg_login_items.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

// What GLib's listing cannot tell apart: an application that is not for the
// menus here (which the user's lists keep) against an entry that is no app
// and a file that is no desktop entry (which --list-apps reports). Each is
// named, where it has a Name, for the messages that tell of it. What is no
// regular file is invalid and never waited for.
TEST(DesktopEntryReader, EntriesLeftOutAreToldFromFilesThatAreNoEntries) {
  using enum DesktopEntryVerdict;
  testing::TemporaryDirectory files;
  ::mkfifo((files / "fifo.desktop").c_str(), 0644);
  std::filesystem::create_directory(files / "directory.desktop");
  const DesktopEntryContext context{languageNames("de_AT", "/nonexistent"), {"GNOME"},
                                    ProgramSearch("/bin:/usr/bin", false)};
  const std::string head = "[Desktop Entry]\nType=Application\nName=App\n";
  const std::tuple<const char*, std::string, DesktopEntryVerdict, const char*> cases[] = {
      {"shown.desktop", head + "Exec=sh\nHidden=false\n", Shown, "App"},
      {"crlf.desktop", "# made on another system\r\n[Desktop Entry]\r\nType=Application\r\nName=App\r\nExec=sh\r\n",
       Shown, "App"},
      {"gnome.desktop", head + "OnlyShowIn=GNOME;\nTryExec=sh\n", Shown, "App"},
      {"link.desktop", "[Desktop Entry]\nType=Link\n", NotAnApp, "Unnamed"},
      {"hidden.desktop", head + "Hidden=true\nTryExec=no-such-program\n", NotAnApp, "App"},
      {"nodisplay.desktop", head + "NoDisplay=true\n", NotShown, "App"},
      {"kde.desktop", head + "OnlyShowIn=KDE;\n", NotShown, "App"},
      {"tryexec.desktop", head + "TryExec=no-such-program\n", NotShown, "App"},
      {"exec.desktop", head + "Exec=no-such-program\n", NotShown, "App"},
      {"garbage.desktop", head + "garbage\n", Invalid, ""},
      {"other-group.desktop", "[Other]\n" + head, Invalid, ""},
      {"bad-exec.desktop", head + "Exec='sh\n", Invalid, "App"},
      {"fifo.desktop", "", Invalid, ""},
      {"directory.desktop", "", Invalid, ""},
      {"missing.desktop", "", Invalid, ""},
  };
  const int directory = ::open(files.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (const auto& [name, text, verdict, title] : cases) {
    if (!text.empty()) testing::writeFile(files / name, text);
    const DesktopEntryReading reading = readDesktopEntry(directory, name, context);
    EXPECT_EQ(reading.verdict, verdict) << name << ": " << reading.reason;
    EXPECT_EQ(reading.reason.empty(), verdict == Shown) << name << ": " << reading.reason;
    EXPECT_EQ(reading.title, title) << name;
  }
  ::close(directory);
  testing::writeFile(files / "icon.desktop", head + "Name[de]=Karte\nIcon=map\nIcon[de_AT]=karte.png\n");
  EXPECT_EQ(readDesktopEntry(files / "icon.desktop", context).title, "Karte");
  EXPECT_EQ(readDesktopEntry(files / "icon.desktop", context).icon, "karte.png");
}

const std::string kId = "org.wendaro.Wendaro-2-Helper";

// Enabling writes the entry (its text is checked from outside by the
// autostart contract test); disabling removes only it, and succeeds when
// there is none. Every other failure is reported as one.
TEST(LoginItems, EnablingWritesTheEntryAndDisablingRemovesIt) {
  testing::TemporaryDirectory directory;
  const std::string autostart = directory / "config/autostart";
  const std::string entry = autostart + "/" + kId + ".desktop";
  const std::string wendaro = "/usr/bin/wendaro";
  std::ostringstream errors;
  XdgLoginItems items(autostart, wendaro, errors);
  ASSERT_TRUE(items.setLoginItemEnabled(kId, true)) << errors.str();
  EXPECT_EQ(std::filesystem::status(entry).permissions(), std::filesystem::perms(0644));
  EXPECT_EQ(std::filesystem::status(autostart).permissions(), std::filesystem::perms(0700));
  testing::writeFile(autostart + "/other.desktop", "someone else's");
  EXPECT_TRUE(items.setLoginItemEnabled(kId, false));
  EXPECT_EQ(testing::namesIn(autostart), std::vector<std::string>{"other.desktop"});
  EXPECT_TRUE(items.setLoginItemEnabled(kId, false));
  EXPECT_TRUE(XdgLoginItems(directory / "never", wendaro, errors).setLoginItemEnabled(kId, false));
  EXPECT_EQ(errors.str(), "");

  testing::writeFile(directory / "file", "a file where the directory should be");
  std::filesystem::create_directories(directory / "dir/" + kId + ".desktop/inside");
  const std::tuple<std::string, std::string, std::string, bool> failures[] = {
      {directory / "file/autostart", wendaro, kId, true},     {directory / "dir", wendaro, kId, false},
      {directory / "dir", wendaro, kId, true},                 {autostart, "wendaro", kId, true},
      {autostart, "/usr/bin/wen\ndaro", kId, true},            {autostart, "/opt/caf\xE9/wendaro", kId, true},
      {autostart, wendaro, "../escape", true},                 {autostart, wendaro, "", false},
  };
  for (const auto& [place, program, identifier, enable] : failures) {
    errors.str("");
    EXPECT_FALSE(XdgLoginItems(place, program, errors).setLoginItemEnabled(identifier, enable)) << place << program;
    EXPECT_EQ(errors.str().find("wendaro: the autostart entry was not changed: "), 0u) << errors.str();
  }
  EXPECT_FALSE(std::filesystem::exists(directory / "config/escape.desktop"));
}

TEST(DesktopEntry, TheProgramPathIsQuotedAsTheExecKeyWantsIt) {
  const std::pair<std::string, std::string> cases[] = {
      {"/opt/my apps/a\"b/$HOME/`x`/w", R"("/opt/my apps/a\\"b/\\$HOME/\\`x\\`/w")"},
      {"/opt/back\\slash/100%/w", R"("/opt/back\\\\slash/100%%/w")"},
      {"/opt/it's;&|<>*?#()~/Café", R"("/opt/it's;&|<>*?#()~/Café")"},
  };
  for (const auto& [path, written] : cases) EXPECT_EQ(execArgument(path), written) << path;
}

}  // namespace
}  // namespace wendaro
