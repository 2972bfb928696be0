#include "core/core_test_fixture.h"
#include "settings/defaults_keys.h"

namespace wendaro {
namespace {

class CommandsTest : public CoreTest {
 protected:
  void SetUp() override { start(); }
  const MenuItem& launchItem() { return *app->launchAtStartupMenuItem; }
};

TEST_F(CommandsTest, LaunchAtStartupTogglesTheStoredFlagTheCheckMarkAndTheLoginItem) {
  EXPECT_EQ(launchItem().state(), kControlStateOff);
  app->launchAtStartup(launchItem());
  EXPECT_TRUE(desktop.defaults.boolForKey(keys::kLaunchAtStartup));
  EXPECT_EQ(launchItem().state(), kControlStateOn);
  EXPECT_EQ(desktop.loginItems.enabled, true);
  app->launchAtStartup(launchItem());
  EXPECT_FALSE(desktop.defaults.boolForKey(keys::kLaunchAtStartup));
  EXPECT_EQ(launchItem().state(), kControlStateOff);
  EXPECT_EQ(desktop.loginItems.enabled, false);
  EXPECT_EQ(desktop.log.matching("loginItems").back(),
            "loginItems.setLoginItemEnabled org.wendaro.Wendaro-2-Helper 0");
}

TEST_F(CommandsTest, AMixedCheckMarkCountsAsOn) {
  app->launchAtStartupMenuItem->setState(kControlStateMixed);
  app->launchAtStartup(launchItem());
  EXPECT_FALSE(desktop.defaults.boolForKey(keys::kLaunchAtStartup));
  EXPECT_EQ(desktop.defaults.values.at(keys::kLaunchAtStartup), Value(false));
}

TEST_F(CommandsTest, ARefusedLoginItemChangeIsReportedAndTheNewStateKept) {
  desktop.loginItems.succeeds = false;
  app->launchAtStartup(launchItem());
  EXPECT_EQ(desktop.standardOutput.lines, (std::vector<std::string>{"Changing login item status failed."}));
  EXPECT_TRUE(desktop.defaults.boolForKey(keys::kLaunchAtStartup));
  EXPECT_EQ(launchItem().state(), kControlStateOn);

  fake::FakeDesktop next;
  next.defaults.values = desktop.defaults.values;
  auto restarted = next.makeApplication();
  restarted->applicationDidFinishLaunching();
  EXPECT_EQ(next.loginItems.enabled, true) << "the next start tries again with the same flag";
}

TEST_F(CommandsTest, SupportOpensTheMailAddressWithTheSubject) {
  app->support();
  ASSERT_EQ(desktop.workspace.openedURLs.size(), 1u);
  const std::string& url = desktop.workspace.openedURLs[0];
  EXPECT_EQ(url.rfind("mailto:", 0), 0u);
  EXPECT_NE(url.find("?Subject=Wendaro%202"), std::string::npos);
}

TEST_F(CommandsTest, RatingAsksForThePromptFrom10Point14On) {
  struct Case {
    OperatingSystemVersion version;
    bool prompt;
  };
  for (const Case& c : {Case{{10, 13, 6}, false}, Case{{10, 14, 0}, true}, Case{{11, 0, 0}, true},
                        Case{{9, 20, 0}, false}}) {
    desktop.systemInfo.version = c.version;
    desktop.log.clear();
    desktop.workspace.openedURLs.clear();
    app->rate();
    EXPECT_EQ(desktop.log.matching("storeReview.requestReview").size(), c.prompt ? 1u : 0u);
    ASSERT_EQ(desktop.workspace.openedURLs.size(), c.prompt ? 0u : 1u);
    if (!c.prompt) {
      const std::string& url = desktop.workspace.openedURLs[0];
      EXPECT_EQ(url.rfind("macappstore://", 0), 0u);
      EXPECT_NE(url.find("/WebObjects/MZUserPublishing.woa/wa/addUserReview?id="), std::string::npos);
      EXPECT_NE(url.find("&displayable-kind=30"), std::string::npos);
    }
  }
}

TEST_F(CommandsTest, MenuEntriesReachTheirCommands) {
  app->performMenuItemAction(*app->launchAtStartupMenuItem);
  EXPECT_TRUE(desktop.defaults.boolForKey(keys::kLaunchAtStartup));
  MenuItem quit("Quit", Action::Terminate, "");
  app->performMenuItemAction(quit);
  EXPECT_EQ(desktop.log.matching("application.terminate").size(), 1u);
  MenuItem support("Questions/Problems/Suggestions", Action::Support, "");
  app->performMenuItemAction(support);
  EXPECT_EQ(desktop.workspace.openedURLs.size(), 1u);
  MenuItem categories("Categories", Action::ShowCategoriesWindow, "");
  app->performMenuItemAction(categories);
  EXPECT_TRUE(desktop.categoriesWindow.visible);
  MenuItem directories("Directories", Action::ShowDirectoriesWindow, "");
  app->performMenuItemAction(directories);
  EXPECT_TRUE(desktop.directoriesWindow.visible);
}

TEST_F(CommandsTest, AppActionsFromAPlainEntryDoNothing) {
  MenuItem plain("Mail", Action::LaunchAppWithItem, "");
  MenuItem manage("Manage", Action::ShowAppsWindow, "");
  desktop.log.clear();
  app->performMenuItemAction(plain);
  app->performMenuItemAction(manage);
  EXPECT_TRUE(desktop.log.all().empty());
}

}  // namespace
}  // namespace wendaro
