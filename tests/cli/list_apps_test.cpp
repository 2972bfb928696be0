#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "cli/list_apps.h"
#include "fake/fake_desktop.h"
#include "settings/defaults_keys.h"

namespace wendaro::cli {
namespace {

using fake::FakeDesktop;
using Paths = std::vector<std::string>;

class ListAppsTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  std::ostringstream out;
  std::ostringstream err;

  int run(const Paths& directories) {
    return listApps(directories, desktop.defaults, desktop.fileSystem, desktop.appKinds, out, err);
  }
};

TEST_F(ListAppsTest, PrintsTheSortedCatalogueOfTheGivenDirectories) {
  desktop.fileSystem.addDirectory("/B/Zoom.app");
  desktop.fileSystem.addDirectory("/B/sub/calculator.app");
  desktop.fileSystem.addDirectory("/A/Notes.app");
  desktop.fileSystem.addDirectory("/B/notes.app");
  desktop.defaults.values[keys::kDirectories] = stringArrayValue({"/Stored"});
  EXPECT_EQ(run({"/B", "/A"}), 0);
  EXPECT_EQ(out.str(), "/B/sub/calculator.app\n/B/notes.app\n/A/Notes.app\n/B/Zoom.app\n");
  EXPECT_EQ(err.str(), "");
  EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty());
}

TEST_F(ListAppsTest, WithoutDirectoriesWalksTheStoredOrTheDefaultList) {
  desktop.fileSystem.addDirectory("/Applications/Default.app");
  desktop.fileSystem.addDirectory("/System/Applications/System.app");
  desktop.fileSystem.addDirectory("/Stored/Kept.app");
  desktop.appKinds.defaults.push_back("/Not/There");  // a desktop has only some of them: not named
  struct Case {
    const char* situation;
    std::optional<Value> stored;
    const char* printed;
    const char* errors = "";
  };
  const Case cases[] = {
      {"nothing stored", std::nullopt, "/Applications/Default.app\n/System/Applications/System.app\n"},
      {"a stored list", stringArrayValue({"/Stored", "/Gone", "/Not/There"}), "/Stored/Kept.app\n",
       "wendaro: cannot read /Gone: No such file or directory\n"},
      {"an empty stored list", stringArrayValue({}), ""},
      {"a list with a number in it", Value(Value::Array{Value("/Stored"), Value(3)}),
       "/Applications/Default.app\n/System/Applications/System.app\n"},
      {"not a list", Value("/Stored"), "/Applications/Default.app\n/System/Applications/System.app\n"},
  };
  for (const Case& c : cases) {
    desktop.defaults.values.clear();
    if (c.stored) desktop.defaults.values[keys::kDirectories] = *c.stored;
    out.str("");
    err.str("");
    EXPECT_EQ(run({}), 0) << c.situation;
    EXPECT_EQ(out.str(), c.printed) << c.situation;
    EXPECT_EQ(err.str(), c.errors) << c.situation;
  }
}

// A directory given on the command line that cannot be read fails the
// command; one below it does not.
TEST_F(ListAppsTest, NamesWhatItCouldNotReadAndWhatItSkippedAndGoesOn) {
  desktop.fileSystem.addDirectory("/W/Locked/L.app");
  desktop.fileSystem.setUnreadable("/W/Locked");
  desktop.fileSystem.addFile("/W/caf\xE9\n.app");
  desktop.fileSystem.addFile("/W/Del\x7F.app");
  desktop.fileSystem.addFile("/W/Csi\xC2\x9B.app");
  desktop.fileSystem.addDirectory("/W/Fine.app");
  desktop.appKinds.addDesktopEntry("/W/broken.desktop", "Broken", AppFile::Verdict::Invalid);
  EXPECT_EQ(run({"/Missing", "/W"}), 1);
  EXPECT_EQ(out.str(), "/W/Fine.app\n");
  EXPECT_EQ(err.str(),
            "wendaro: cannot read /Missing: No such file or directory\n"
            "wendaro: cannot read /W/Locked: Permission denied\n"
            "wendaro: skipped /W/caf\\xE9\\x0A.app: the name is not valid UTF-8\n"
            "wendaro: skipped /W/Del\\x7F.app: the name holds a control character\n"
            "wendaro: skipped /W/Csi\\xC2\\x9B.app: the name holds a control character\n"
            "wendaro: skipped /W/broken.desktop: not shown: Broken\n");
  EXPECT_EQ(run({"/W"}), 0);
}

TEST_F(ListAppsTest, AFailedOutputIsNotASuccess) {
  desktop.fileSystem.addDirectory("/W/Fine.app");
  out.setstate(std::ios::badbit);
  EXPECT_EQ(run({"/W"}), 1);
  EXPECT_EQ(err.str(), "wendaro: cannot write the list of apps\n");
}

TEST(CommandLineTest, ReadsTheOptions) {
  struct Case {
    std::vector<const char*> arguments;
    CommandKind kind;
    Paths directories;
    std::string target = {};
  };
  const Case cases[] = {
      {{"wendaro", "--list-apps"}, CommandKind::ListApps, {}},
      {{"wendaro", "--list-apps", "/A", "-B", "/A"}, CommandKind::ListApps, {"/A", "-B", "/A"}},
      {{"wendaro", "--help"}, CommandKind::Help, {}},
      {{"wendaro", "-h"}, CommandKind::Help, {}},
      {{"wendaro", "--version"}, CommandKind::Version, {}},
      {{"wendaro", "--version", "x"}, CommandKind::Invalid, {}},
      {{"wendaro", "--list"}, CommandKind::Invalid, {}},
      {{"wendaro", "/A"}, CommandKind::Invalid, {}},
      {{"wendaro"}, CommandKind::Tray, {}},
      {{"wendaro", "--print-menu"}, CommandKind::PrintMenu, {}},
      {{"wendaro", "--print-menu", "x"}, CommandKind::Invalid, {}},
      {{"wendaro", "--open-menu"}, CommandKind::OpenMenu, {}},
      {{"wendaro", "--open-menu", "x"}, CommandKind::Invalid, {}},
      {{"wendaro", "--launch", "/A/B.app"}, CommandKind::Launch, {}, "/A/B.app"},
      {{"wendaro", "--launch"}, CommandKind::Invalid, {}},
      {{"wendaro", "--launch", "/A.app", "/B.app"}, CommandKind::Invalid, {}},
      {{"wendaro", "--launch-category", "--list-apps"}, CommandKind::LaunchCategory, {}, "--list-apps"},
      {{"wendaro", "--launch-category"}, CommandKind::Invalid, {}},
  };
  for (const Case& c : cases) {
    const Command command = parseCommandLine(static_cast<int>(c.arguments.size()), c.arguments.data());
    EXPECT_EQ(command.kind, c.kind) << testing::PrintToString(c.arguments);
    EXPECT_EQ(command.directories, c.directories) << testing::PrintToString(c.arguments);
    EXPECT_EQ(command.target, c.target) << testing::PrintToString(c.arguments);
    EXPECT_EQ(command.error.empty(), c.kind != CommandKind::Invalid) << testing::PrintToString(c.arguments);
  }
}

}  // namespace
}  // namespace wendaro::cli
