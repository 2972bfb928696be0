#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
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

// What GLib reads in the environment given as `env` arguments.
std::string glibListing(const std::string& environment) {
  std::string output;
  FILE* pipe = ::popen(("env -i " + environment + " " + GLIB_APP_LISTING).c_str(), "r");
  char buffer[4096];
  for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
  if (pipe) ::pclose(pipe);
  return output;
}

// Tricky entries, each trying one rule of the format or of what is shown:
// the apps GLib's own listing shows and their names against ours, and the
// languages of translations, under a few locales and desktops.
TEST(DesktopEntryReader, TheAppsShownTheirTitlesAndTheLanguagesAreGLibs) {
  testing::TemporaryDirectory tree;
  std::filesystem::create_directories(tree / "applications");
  testing::writeFile(tree / "tool", "#!/bin/sh\n");
  testing::writeFile(tree / "not-executable", "#!/bin/sh\n");
  std::filesystem::permissions(tree / "tool", std::filesystem::perms(0755));
  const std::string head = "[Desktop Entry]\nType=Application\n";
  const std::pair<std::string, std::string> entries[] = {
      {"localised", head + "Name=Tree\nName[de]=Baum\nName[de_AT]=Baum in AT\nName[fr]=Arbre\nName[sr@latin]=Drvo\n"
                           "Name[DE]=GROSS\nName[C]=C name\n"},
      {"bad-translation", head + "Name=Fallback\nName[de]=\xff\xfe\nName[fr]=Français\n"},
      {"spacing", "[Desktop Entry]\nName  =   Spaced out  \t\nType =Application\nExec= tool\n"},
      {"escapes", head + "Name=Tab\\there\\sand\\\\back\\x\\sunknown\n"},
      {"backslash-end", head + "Name=Ends in a backslash\\\n"},
      {"groups", head + "Name=First\nName=Second\n[Other Group]\nName=Other\n[Desktop Entry]\nName=Third\n"},
      {"nul", head + std::string("Name=Nul\0Tail\n", 14)},
      {"invalid-utf8", head + "Name=\xc3\x28\n"},
      {"hidden-capital", head + "Hidden=True\nName=Hidden is True\n"},
      {"not-kde", head + "NotShowIn=KDE;\nName=Not KDE\n"},
      {"only-gnome", head + "OnlyShowIn=GNOME;XFCE;\nName=Only GNOME\n"},
      {"only-escaped", head + "OnlyShowIn=GNOME\\;KDE;\nName=Only GNOME;KDE\n"},
      {"tryexec-not-executable", head + "TryExec=not-executable\nName=x\n"},
      {"exec-unterminated", head + "Exec=\"tool\nName=x\n"},
      {"exec-comment", head + "Exec=#tool\nName=x\n"},
      {"hidden", head + "Hidden=true  \t\nName=x\n"},
      {"not-a-line", head + "Name=x\njust some words\n"},
      {"other-start", "[Other]\nKey=1\n" + head + "Name=Late\n"},
      {"bad-group", head + "Name=x\n[Bad [group]\n"},
      {"latin1", head + "Encoding=ISO-8859-1\nName=x\n"},
      {"bom", "\xEF\xBB\xBF" + head + "Name=x\n"},
      {"link", "[Desktop Entry]\nType=Link\nURL=https://example.org\nName=Link\n"},
  };
  for (const auto& [name, text] : entries) testing::writeFile(tree / "applications/" + name + ".desktop", text);
  const std::string search = tree.path() + ":/usr/bin:/bin";
  const std::vector<std::pair<std::string, std::string>> sessions[] = {
      {{"LC_MESSAGES", "de_AT.UTF-8"}, {"LANG", "fr_FR"}, {"XDG_CURRENT_DESKTOP", "GNOME"}},
      {{"LANGUAGE", "fr:de"}, {"LC_ALL", "en_US.UTF-8"}, {"XDG_CURRENT_DESKTOP", "KDE:GNOME"}},
      {{"LC_ALL", "sr_RS.UTF-8@latin"}, {"LC_MESSAGES", "de"}, {"XDG_CURRENT_DESKTOP", "bad name:XFCE"}},
  };
  for (const auto& session : sessions) {
    std::string environment =
        "PATH=" + search + " HOME=" + tree.path() + " XDG_DATA_HOME=" + tree.path() + " XDG_DATA_DIRS=" + tree / "none";
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG", "XDG_CURRENT_DESKTOP"}) ::unsetenv(name);
    for (const auto& [name, value] : session) {
      ::setenv(name.c_str(), value.c_str(), 1);
      environment += " " + name + "='" + value + "'";
    }
    SCOPED_TRACE(environment);
    ::setenv("PATH", search.c_str(), 1);
    const DesktopEntryContext context = DesktopEntryContext::fromEnvironment();
    std::map<std::string, std::string> ours, glib;
    for (const auto& [name, text] : entries) {
      const DesktopEntryReading reading = readDesktopEntry(tree / "applications/" + name + ".desktop", context);
      if (reading.verdict == DesktopEntryVerdict::Shown) ours[name + ".desktop"] = reading.title;
    }
    std::istringstream listed(glibListing(environment));
    std::string languages, glibLanguages;
    for (const std::string& language : context.languages) languages += language + ":";
    std::getline(listed, glibLanguages);
    for (std::string id, title; std::getline(listed, id, '\0') && std::getline(listed, title, '\0');) glib[id] = title;
    EXPECT_EQ(languages, glibLanguages);
    EXPECT_EQ(ours, glib);
  }
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
