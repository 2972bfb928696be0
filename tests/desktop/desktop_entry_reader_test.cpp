#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "desktop/linux/app_image.h"
#include "desktop/linux/desktop_entry_reader.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using testing::TemporaryDirectory;

class DesktopEntryReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { directory = ::open(files.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }
  void TearDown() override { ::close(directory); }

  TemporaryDirectory files;
  int directory = -1;
  DesktopEntryContext context{languageNames("de_AT", "/nonexistent"), {"GNOME"}, ProgramSearch("/bin:/usr/bin", false)};
};

// What GLib's listing cannot tell apart: an application that is not for the
// menus here (which the user's lists keep) against an entry that is no app
// and a file that is no desktop entry (which --list-apps reports). Each is
// named, where it has a Name, for the messages that tell of it.
TEST_F(DesktopEntryReaderTest, EntriesLeftOutAreToldFromFilesThatAreNoEntries) {
  using enum DesktopEntryVerdict;
  const std::string head = "[Desktop Entry]\nType=Application\nName=App\n";
  const struct {
    const char* name;
    std::string text;
    DesktopEntryVerdict verdict;
    const char* title;
  } cases[] = {
      {"shown.desktop", head + "Exec=sh\n", Shown, "App"},
      {"link.desktop", "[Desktop Entry]\nType=Link\n", NotAnApp, "Unnamed"},
      {"hidden.desktop", head + "Hidden=true\nTryExec=no-such-program\n", NotAnApp, "App"},
      {"nodisplay.desktop", head + "NoDisplay=true\n", NotShown, "App"},
      {"kde.desktop", head + "OnlyShowIn=KDE;\n", NotShown, "App"},
      {"tryexec.desktop", head + "TryExec=no-such-program\n", NotShown, "App"},
      {"exec.desktop", head + "Exec=no-such-program\n", NotShown, "App"},
      {"no-type.desktop", "[Desktop Entry]\nName=App\n", Invalid, "App"},
      {"garbage.desktop", head + "garbage\n", Invalid, ""},
      {"other-group.desktop", "[Other]\n" + head, Invalid, ""},
      {"bad-exec.desktop", head + "Exec='sh\n", Invalid, "App"},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    testing::writeFile(files / entry.name, entry.text);
    const DesktopEntryReading reading = readDesktopEntry(directory, entry.name, context);
    EXPECT_EQ(reading.verdict, entry.verdict) << reading.reason;
    EXPECT_EQ(reading.reason.empty(), entry.verdict == Shown) << reading.reason;
    EXPECT_EQ(reading.title, entry.title);
  }
}

TEST_F(DesktopEntryReaderTest, WhatIsNoRegularFileIsInvalidAndNeverWaitedFor) {
  ::mkfifo((files / "fifo.desktop").c_str(), 0644);
  std::filesystem::create_directory(files / "directory.desktop");
  for (const char* name : {"fifo.desktop", "directory.desktop", "missing.desktop"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(readDesktopEntry(directory, name, context).verdict, DesktopEntryVerdict::Invalid);
  }
}

TEST_F(DesktopEntryReaderTest, TheIconIsLocalisedLikeTheTitle) {
  testing::writeFile(files / "icon.desktop",
                     "[Desktop Entry]\nType=Application\nName=Map\nName[de]=Karte\nIcon=map\nIcon[de_AT]=karte.png\n");
  const DesktopEntryReading reading = readDesktopEntry(files / "icon.desktop", context);
  EXPECT_EQ(reading.title, "Karte");
  EXPECT_EQ(reading.icon, "karte.png");
}

TEST(AppImageTest, ARegularExecutableNamedAppImageInAnyCase) {
  TemporaryDirectory files;
  auto make = [&](const std::string& name, mode_t mode) {
    testing::writeFile(files / name, "");
    ::chmod((files / name).c_str(), mode);
  };
  make("Editor.AppImage", 0755);
  make("tool.appimage", 0700);
  make("Plain.AppImage", 0644);
  make(".AppImage", 0755);
  make("Editor.AppImage.zip", 0755);
  std::filesystem::create_directory(files / "Folder.AppImage");
  std::filesystem::create_symlink("Editor.AppImage", files / "Link.AppImage");
  const int directory = ::open(files.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const struct {
    const char* name;
    bool isAppImage;
  } cases[] = {{"Editor.AppImage", true},     {"tool.appimage", true},       {"Link.AppImage", true},
               {"Plain.AppImage", false},     {".AppImage", false},          {"Editor.AppImage.zip", false},
               {"Folder.AppImage", false},    {"Missing.AppImage", false}};
  for (const auto& entry : cases) EXPECT_EQ(isAppImage(directory, entry.name), entry.isAppImage) << entry.name;
  ::close(directory);
  EXPECT_EQ(appImageTitle("Editor-1.2.x86_64.AppImage"), "Editor-1.2.x86_64");
  EXPECT_EQ(appImageTitle("tool.appimage"), "tool");
}

}  // namespace
}  // namespace wendaro
