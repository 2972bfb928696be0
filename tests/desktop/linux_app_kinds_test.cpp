// The apps of a Linux desktop, on real files: what is an app, its title, and
// a desktop entry read again exactly when it changed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "desktop/linux/linux_app_kinds.h"
#include "discovery/app_walk.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using testing::writeFile;
using Titles = std::vector<std::pair<std::string, std::string>>;

class LinuxAppKindsTest : public ::testing::Test {
 protected:
  LinuxAppKindsTest() { std::filesystem::create_directories(apps); }
  ~LinuxAppKindsTest() override { ::unsetenv("LANGUAGE"); }

  // The apps and their titles, as one scan of the directory finds them.
  Titles scan() {
    AppScan found;
    kinds.beginScan();
    collectAppPaths(files, kinds, apps, found);
    Titles titles;
    for (std::size_t i = 0; i < found.apps.size(); ++i) {
      titles.emplace_back(found.apps[i].substr(apps.size() + 1), found.titles[i]);
    }
    return titles;
  }
  static std::string entry(const std::string& name, const std::string& more = "") {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=sh\n" + more;
  }

  testing::TemporaryDirectory root;
  const std::string apps = root / "applications";
  PosixFileManager files;
  // Files written by the test are trusted at once, or nothing would be kept.
  LinuxAppKinds kinds{files, std::chrono::nanoseconds(0)};
};

TEST_F(LinuxAppKindsTest, DesktopEntriesAndAppImagesAreAppsOfTheirTitles) {
  writeFile(apps + "/editor.desktop", entry("Editor"));
  writeFile(apps + "/hidden.desktop", entry("Hidden", "NoDisplay=true\n"));
  writeFile(apps + "/Tool.AppImage", "#!/bin/sh\n");
  ::chmod((apps + "/Tool.AppImage").c_str(), 0755);
  writeFile(apps + "/Data.appimage", "not runnable");
  std::filesystem::create_symlink("editor.desktop", apps + "/link.desktop");
  Titles found = scan();
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (Titles{{"Tool.AppImage", "Tool"},
                           {"editor.desktop", "Editor"},
                           {"link.desktop", "Editor"}}));
}

// Each change is seen at the next scan by the same reader of apps.
TEST_F(LinuxAppKindsTest, AnEntryIsReadAgainExactlyWhenItChanged) {
  const std::string editor = apps + "/editor.desktop";
  writeFile(editor, entry("Alpha", "Name[de]=Erste\n"));
  ASSERT_EQ(scan(), (Titles{{"editor.desktop", "Alpha"}}));
  struct Case {
    const char* change;
    std::function<void()> make;
    const char* title;
  };
  const Case cases[] = {
      {"nothing", [] {}, "Alpha"},
      {"written in place, same size", [&] { writeFile(editor, entry("Bravo", "Name[de]=Erste\n")); }, "Bravo"},
      {"replaced by another file",
       [&] {
         writeFile(apps + "/new", entry("Charlie", "Name[de]=Dritte\n"));
         std::filesystem::rename(apps + "/new", editor);
       },
       "Charlie"},
      {"another language", [] { ::setenv("LANGUAGE", "de", 1); }, "Dritte"},
  };
  for (const Case& c : cases) {
    // File times tick coarsely: a change in the tick of the last one would
    // not show in them.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    c.make();
    EXPECT_EQ(scan(), (Titles{{"editor.desktop", c.title}})) << c.change;
  }
}

}  // namespace
}  // namespace wendaro
