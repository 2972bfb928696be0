// Desktop entries as our walk lists them against GLib's own application
// listing, on a tree of tricky entries, under several locales and desktops.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "desktop/linux/linux_app_kinds.h"
#include "discovery/app_titles.h"
#include "discovery/app_walk.h"
#include "discovery/desktop_file_ids.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using namespace std::string_literals;
using testing::TemporaryDirectory;

struct EntryFile {
  const char* name;
  std::string text;
};

const std::string kHead = "[Desktop Entry]\nType=Application\n";

// Each entry tries one rule of the format or of what is listed; the names say
// which.
const std::vector<EntryFile>& entryFiles() {
  static const std::vector<EntryFile> files = {
      {"plain.desktop", kHead + "Name=Plain\nExec=tool\n"},
      {"localised.desktop", kHead + "Exec=tool\nName=Tree\nName[de]=Baum\nName[de_AT]=Baum in Österreich\n"
                                    "Name[fr]=Arbre\nName[sr@latin]=Drvo\nName[pt_BR]=Árvore\nName[DE]=GROSS\n"},
      {"c-locale.desktop", kHead + "Name=Plain name\nName[C]=C name\n"},
      {"empty-locale.desktop", kHead + "Name=Plain name\nName[]=Empty locale\n"},
      {"bad-translation.desktop", kHead + "Name=Fallback\nName[de]=\xff\xfe\nName[fr]=Français\n"},
      {"spacing.desktop", "[Desktop Entry]\nName  =   Spaced out  \t\nType =Application\nExec= tool\n"},
      {"escapes.desktop", kHead + "Name=Tab\\there\\sand\\\\back\\x\\sunknown\n"},
      {"name-backslash-end.desktop", kHead + "Name=Ends in a backslash\\\n"},
      {"comments-crlf.desktop", "# comment\r\n\r\n[Desktop Entry]\r\n  # indented\r\n\t\r\nType=Application\r\n"
                                "Name=Windows lines\r\nExec=tool\r\n"},
      {"last-line.desktop", kHead + "Name=Last\r"},
      {"duplicates.desktop", kHead + "Name=First\nName=Second\n[Other Group]\nName=Other\n[Desktop Entry]\nName=Third\n"},
      {"group-trailing.desktop", "[Desktop Entry] \t\nType=Application\nName=Trailing blanks\n"},
      {"unicode-locale.desktop", kHead + "Name=Unicode locale\nName[日本]=x\n"},
      {"utf8-encoding.desktop", kHead + "Encoding=utf-8\nName=Declared UTF-8\n"},
      {"encoding-later.desktop", kHead + "Name=Later encoding\n[Other]\nEncoding=Latin1\n"},
      {"invalid-utf8-name.desktop", kHead + "Name=\xc3\x28\n"},
      {"no-name.desktop", kHead},
      {"nul.desktop", kHead + "Name=Nul\0Tail\n"s},
      {"nul-group.desktop", "[Desktop Entry]\0 junk]\nType=Application\nName=Nul group\n"s},
      {"type-backslash.desktop", "[Desktop Entry]\nType=Application\\\nName=Type ends in a backslash\n"},
      {"hidden-capital.desktop", kHead + "Hidden=True\nName=Hidden is True\n"},
      {"nodisplay-word.desktop", kHead + "NoDisplay=yes\nName=NoDisplay is yes\n"},
      {"not-kde.desktop", kHead + "NotShowIn=KDE;\nName=Not KDE\n"},
      {"only-gnome.desktop", kHead + "OnlyShowIn=GNOME;XFCE;\nName=Only GNOME\n"},
      {"only-then-not.desktop", kHead + "OnlyShowIn=GNOME;\nNotShowIn=KDE;\nName=Only GNOME, not KDE\n"},
      {"only-empty.desktop", kHead + "OnlyShowIn=\nName=Only nowhere\n"},
      {"only-escaped.desktop", kHead + "OnlyShowIn=GNOME\\;KDE;\nName=Only GNOME;KDE\n"},
      {"only-bad-escape.desktop", kHead + "OnlyShowIn=KDE\\x;\nName=Unreadable OnlyShowIn\n"},
      {"tryexec-found.desktop", kHead + "TryExec=tool\nName=TryExec found\n"},
      {"exec-quoted.desktop", kHead + "Exec=\"my tool\" --flag %U\nName=Double quotes\n"},
      {"exec-single.desktop", kHead + "Exec='my tool'\nName=Single quotes\n"},
      {"exec-escaped-space.desktop", kHead + "Exec=my\\\\ tool\nName=Backslash space\n"},
      {"exec-hash-word.desktop", kHead + "Exec=tool #x\nName=Comment after\n"},
      {"exec-tab-hash.desktop", kHead + "Exec=\t#tool\nName=Tab hash\n"},
      {"exec-relative.desktop", kHead + "Exec=./local-tool\nName=Relative\n"},
      {"exec-empty.desktop", kHead + "Exec=\nName=No Exec\n"},
      {"exec-leading-blanks.desktop", kHead + "Exec=\\s\\stool\nName=Leading blanks\n"},
      {"exec-sh.desktop", kHead + "Exec=sh -c 'tool \"$1\"' sh %f\nName=Shell\n"},
      {"exec-not-utf8.desktop", kHead + "Exec=\xff-missing\nName=Exec not UTF-8\n"},
      {"symlink.desktop", ""},  // made a link to plain.desktop
      // Left out, or not desktop entries at all.
      {"not-a-line.desktop", kHead + "Name=x\njust some words\n"},
      {"key-before-group.desktop", "Name=x\n" + kHead},
      {"other-start.desktop", "[Other]\nKey=1\n" + kHead + "Name=Late\n"},
      {"bad-group.desktop", kHead + "Name=x\n[Bad [group]\n"},
      {"bad-key.desktop", kHead + "Name [de]=x\n"},
      {"bad-locale.desktop", kHead + "Name[de!]=x\n"},
      {"latin1.desktop", kHead + "Encoding=ISO-8859-1\nName=x\n"},
      {"bom.desktop", "\xEF\xBB\xBF" + kHead + "Name=x\n"},
      {"link.desktop", "[Desktop Entry]\nType=Link\nURL=https://example.org\nName=Link\n"},
      {"no-type.desktop", "[Desktop Entry]\nName=No type\n"},
      {"hidden.desktop", kHead + "Hidden=true  \t\nName=x\n"},
      {"nodisplay.desktop", kHead + "NoDisplay=1\nName=x\n"},
      {"tryexec-missing.desktop", kHead + "TryExec=no-such-program\nName=x\n"},
      {"tryexec-not-executable.desktop", kHead + "TryExec=bin/not-executable\nName=x\n"},
      {"exec-unterminated.desktop", kHead + "Exec=\"tool\nName=x\n"},
      {"exec-comment.desktop", kHead + "Exec=#tool\nName=x\n"},
      {"exec-hash-end.desktop", kHead + "Exec=tool #\nName=x\n"},
      {"exec-blank.desktop", kHead + "Exec=\\s\nName=x\n"},
      {"exec-backslash-end.desktop", kHead + "Exec=tool\\\\\nName=x\n"},
      {"exec-missing.desktop", kHead + "Exec=no-such-program %F\nName=x\n"},
      {"exec-directory.desktop", kHead + "Exec=program-directory\nName=x\n"},
      {"exec-not-executable.desktop", kHead + "Exec=not-executable\nName=x\n"},
      {"exec-relative-missing.desktop", kHead + "Exec=bin/nothing\nName=x\n"},
  };
  return files;
}

struct Session {
  std::map<std::string, std::string> variables;  // unset when absent
};

// Locale settings and desktops; every combination is checked.
const std::vector<Session>& sessions() {
  static const std::vector<Session> all = {
      {{}},
      {{{"LANG", "de_AT.UTF-8"}, {"XDG_CURRENT_DESKTOP", "GNOME"}}},
      {{{"LANGUAGE", "fr:de"}, {"LANG", "en_US.UTF-8"}, {"XDG_CURRENT_DESKTOP", "KDE:GNOME"}}},
      {{{"LC_ALL", "sr_RS.UTF-8@latin"}, {"LANG", "de_DE"}, {"XDG_CURRENT_DESKTOP", "XFCE"}}},
      {{{"LC_MESSAGES", "pt_BR"}, {"LANG", "de"}, {"XDG_CURRENT_DESKTOP", "bad name:KDE"}}},
      {{{"LANGUAGE", "de::fr"}, {"LC_ALL", "C"}, {"XDG_CURRENT_DESKTOP", "GNOME:KDE"}}},
      {{{"LANG", "german"}, {"XDG_CURRENT_DESKTOP", ""}}},
  };
  return all;
}

const char* const kSessionVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG", "XDG_CURRENT_DESKTOP"};

void makeExecutable(const std::string& path, mode_t mode = 0755) {
  testing::writeFile(path, "#!/bin/sh\n");
  ::chmod(path.c_str(), mode);
}

std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string run(const std::string& command) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  ::pclose(pipe);
  return output;
}

class DesktopEntryAgreementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    fs::create_directories(tree / "data/applications");
    fs::create_directories(tree / "lower/applications");
    fs::create_directories(tree / "bin/program-directory");
    fs::create_directories(tree / "empty");
    makeExecutable(tree / "bin/tool");
    makeExecutable(tree / "bin/my tool");
    makeExecutable(tree / "bin/not-executable", 0644);
    makeExecutable(tree / "local-tool");
    for (const EntryFile& file : entryFiles()) testing::writeFile(applications() + "/" + file.name, file.text);
    fs::remove(applications() + "/symlink.desktop");
    fs::create_symlink("plain.desktop", applications() + "/symlink.desktop");
    // A directory named like an entry is one by its name: not walked into,
    // and it hides the lower copy of its ID.
    fs::create_directory(applications() + "/directory.desktop");
    testing::writeFile(applications() + "/directory.desktop/inner.desktop", kHead + "Name=Inside\nExec=tool\n");
    testing::writeFile(tree / "lower/applications/directory.desktop", kHead + "Name=Lower copy\nExec=tool\n");
    testing::writeFile(tree / "lower/applications/lower.desktop", kHead + "Name=Lower\nExec=tool\n");
    searchPath = tree / "bin" + ":/usr/bin:/bin";
    saved = std::filesystem::current_path();
    std::filesystem::current_path(tree.path());
  }
  void TearDown() override {
    std::filesystem::current_path(saved);
    for (const char* name : kSessionVariables) ::unsetenv(name);
  }
  std::string applications() const { return tree / "data/applications"; }
  std::vector<std::string> dataDirectories() const { return {applications(), tree / "lower/applications"}; }

  // The environment of a session, as `env` arguments.
  std::string environmentOf(const Session& session) const {
    std::string words = "env -i PATH=" + shellQuoted(searchPath) + " HOME=" + shellQuoted(tree / "empty") +
                        " XDG_DATA_HOME=" + shellQuoted(tree / "data") + " XDG_DATA_DIRS=" + shellQuoted(tree / "lower") +
                        " XDG_CONFIG_HOME=" + shellQuoted(tree / "empty") + " XDG_CONFIG_DIRS=" + shellQuoted(tree / "empty");
    for (const auto& [name, value] : session.variables) words += " " + name + "=" + shellQuoted(value);
    return words;
  }

  // GLib's listing: desktop-file ID to name.
  std::map<std::string, std::string> glibApps(const Session& session) const {
    const std::string output = run(environmentOf(session) + " " + GLIB_APP_LISTING);
    std::map<std::string, std::string> apps;
    std::size_t at = 0;
    while (at < output.size()) {
      const std::size_t idEnd = output.find('\0', at);
      const std::size_t nameEnd = output.find('\0', idEnd + 1);
      if (idEnd == std::string::npos || nameEnd == std::string::npos) break;
      // As the menus show it, on one line.
      apps[output.substr(at, idEnd - at)] = oneLineTitle(output.substr(idEnd + 1, nameEnd - idEnd - 1));
      at = nameEnd + 1;
    }
    return apps;
  }

  static void enter(const Session& session) {
    for (const char* name : kSessionVariables) ::unsetenv(name);
    for (const auto& [name, value] : session.variables) ::setenv(name.c_str(), value.c_str(), 1);
  }

  // Ours: the walk of both directories, by desktop-file ID.
  std::map<std::string, std::string> ourApps(const Session& session) const {
    const std::string savedPath = std::getenv("PATH");
    enter(session);
    ::setenv("PATH", searchPath.c_str(), 1);
    PosixFileManager files;
    LinuxAppKinds kinds(files);
    kinds.beginScan();
    ::setenv("PATH", savedPath.c_str(), 1);
    AppScan scan;
    for (const std::string& root : dataDirectories()) collectAppPaths(files, kinds, root, scan);
    std::map<std::string, std::string> apps;
    for (std::size_t i = 0; i < scan.apps.size(); ++i) {
      for (const std::string& root : dataDirectories()) {
        if (auto id = desktopFileId(root, scan.apps[i])) apps[*id] = scan.titles[i];
      }
    }
    return apps;
  }

  TemporaryDirectory tree;
  std::string searchPath;
  std::filesystem::path saved;
};

// The entries whose listing differs, one a line.
std::string differences(const std::map<std::string, std::string>& ours, const std::map<std::string, std::string>& glib) {
  std::map<std::string, std::pair<std::string, std::string>> all;
  for (const auto& [id, name] : ours) all[id].first = "\"" + name + "\"";
  for (const auto& [id, name] : glib) all[id].second = "\"" + name + "\"";
  std::string text;
  for (const auto& [id, names] : all) {
    if (names.first == names.second) continue;
    text += id + ": ours " + (names.first.empty() ? "left out" : names.first) + ", GLib's " +
            (names.second.empty() ? "left out" : names.second) + "\n";
  }
  return text;
}

std::string describe(const Session& session) {
  std::string text;
  for (const auto& [name, value] : session.variables) text += name + "=" + value + " ";
  return text.empty() ? "no locale, no desktop" : text;
}

TEST_F(DesktopEntryAgreementTest, TheAppsShownAndTheirTitlesAreGLibs) {
  for (const Session& session : sessions()) {
    SCOPED_TRACE(describe(session));
    const auto expected = glibApps(session);
    ASSERT_GT(expected.size(), 10u) << "GLib's listing did not run";
    EXPECT_EQ(differences(ourApps(session), expected), "");
  }
}

TEST_F(DesktopEntryAgreementTest, TheLanguagesOfTranslationsAreGLibs) {
  for (const Session& session : sessions()) {
    SCOPED_TRACE(describe(session));
    std::string expected = run(environmentOf(session) + " " + GLIB_APP_LISTING + " --languages");
    enter(session);
    std::string ours;
    for (const std::string& language : DesktopEntryContext::fromEnvironment().languages) ours += language + "\n";
    EXPECT_EQ(ours, expected);
  }
}

}  // namespace
}  // namespace wendaro
