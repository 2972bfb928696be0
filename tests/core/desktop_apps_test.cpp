#include "core/core_test_fixture.h"
#include "core/menu_contents.h"
#include "discovery/desktop_file_ids.h"
#include "settings/defaults_keys.h"
#include "settings/shape_checks.h"

namespace wendaro {
namespace {

using testing_support::titlesOf;
using Paths = std::vector<std::string>;
using Verdict = AppFile::Verdict;

const std::string kUser = "/home/u/.local/share/applications";
const std::string kSystem = "/usr/share/applications";

TEST(DesktopFileIdTest, IsThePathBelowTheApplicationsDirectory) {
  struct Case {
    const char* root;
    const char* path;
    std::optional<std::string> id;
  };
  const Case cases[] = {
      {"/usr/share/applications", "/usr/share/applications/firefox.desktop", "firefox.desktop"},
      {"/usr/share/applications", "/usr/share/applications/kde/okular.desktop", "kde-okular.desktop"},
      {"/usr/share", "/usr/share/applications/kde/okular.desktop", "kde-okular.desktop"},
      {"/usr/share/", "/usr/share//applications/a.desktop", "a.desktop"},
      {"/opt", "/opt/x/applications/sub/applications/a.desktop", "sub-applications-a.desktop"},
      {"/home/u/Desktop", "/home/u/Desktop/a.desktop", std::nullopt},
      {"/opt", "/opt/applications", std::nullopt},
      {"/usr/share/applications", "/usr/share/applications2/a.desktop", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(desktopFileId(c.root, c.path), c.id) << c.path;
}

class DesktopAppsTest : public CoreTest {
 protected:
  void SetUp() override {
    app->directories = {kUser, kSystem, "/home/u/Applications"};
    desktop.appKinds.addDesktopEntry(kSystem + "/firefox.desktop", "Firefox");
    desktop.appKinds.addDesktopEntry(kSystem + "/kde/okular.desktop", "Okular");
    desktop.appKinds.addDesktopEntry(kSystem + "/hidden.desktop", "Hidden");
    desktop.appKinds.addDesktopEntry(kSystem + "/broken.desktop", "Broken");
    desktop.appKinds.addDesktopEntry(kSystem + "/nodisplay.desktop", "No Display", Verdict::NotShown);
    desktop.appKinds.addAppFile("/home/u/Applications/tool.AppImage", {Verdict::Shown, "tool", "", false});
    desktop.fileSystem.addDirectory("/home/u/Applications/Zed.app");
  }
  // A menu editor's copy of an app in the user's directory, which wins.
  void override(const std::string& name, const std::string& title, Verdict verdict = Verdict::Shown) {
    desktop.appKinds.addDesktopEntry(kUser + "/" + name, title, verdict);
  }
};

// The first copy of an ID in the order of the watched directories wins,
// whatever it says: shown under its own title, or hiding the app. An app
// that is there but not shown stays in the user's lists, under its title;
// one the user deleted, or an invalid copy, leaves them.
TEST_F(DesktopAppsTest, OneAppPerDesktopFileIdTheFirstCopyWinning) {
  override("firefox.desktop", "Firefox (mine)");
  override("kde-okular.desktop", "Okular (mine)");
  override("hidden.desktop", "Hidden", Verdict::NotAnApp);
  override("broken.desktop", "Broken", Verdict::Invalid);
  app->favorites = {kSystem + "/hidden.desktop", kSystem + "/nodisplay.desktop", kSystem + "/broken.desktop"};
  app->shortcutsIndex = {{kSystem + "/nodisplay.desktop", "ash1"}, {kSystem + "/hidden.desktop", "ash2"}};
  app->rescanApps();
  EXPECT_EQ(app->allApps, (Paths{kUser + "/firefox.desktop", kUser + "/kde-okular.desktop",
                                 "/home/u/Applications/tool.AppImage", "/home/u/Applications/Zed.app"}));
  EXPECT_EQ(app->favorites, Paths{kSystem + "/nodisplay.desktop"});
  EXPECT_EQ(app->shortcutsIndex, (std::map<std::string, std::string>{{kSystem + "/nodisplay.desktop", "ash1"}}));
  app->setUpMenus();
  EXPECT_EQ(titlesOf(*app->allAppsMenu), (Paths{"Firefox (mine)", "Okular (mine)", "tool", "Zed"}));
  EXPECT_EQ(favoriteTitles(), Paths{"No Display"});
  EXPECT_EQ(desktop.appsTable.column("Name").front(), TableValue(std::string("Firefox (mine)")));
  EXPECT_EQ(desktop.appKinds.scansBegun, 1);
}

// Titles decide the order; an app named like another keeps its walk order.
TEST_F(DesktopAppsTest, TheCatalogueIsInTheOrderOfTheTitles) {
  desktop.appKinds.addDesktopEntry(kSystem + "/a.desktop", "zsh Terminal");
  desktop.appKinds.addDesktopEntry(kSystem + "/b.desktop", "\xC3\x84rger");
  desktop.appKinds.addDesktopEntry(kSystem + "/c.desktop", "firefox");
  desktop.appKinds.addDesktopEntry(kSystem + "/d.desktop", "Two\nLines\tTabbed");
  app->favorites = {kSystem + "/a.desktop", kSystem + "/c.desktop", kSystem + "/firefox.desktop"};
  app->rescanApps();
  app->setUpMenus();
  EXPECT_EQ(titlesOf(*app->allAppsMenu), (Paths{"Broken", "Firefox", "firefox", "Hidden", "Okular", "tool",
                                                "Two Lines Tabbed", "Zed", "zsh Terminal", "\xC3\x84rger"}));
  EXPECT_EQ(favoriteTitles(), (Paths{"firefox", "Firefox", "zsh Terminal"})) << "equal names in stored order";
}

// Favourites, pins, category members and shortcuts stay with an app when a
// copy in an earlier directory comes to win its ID, and when it goes again.
TEST_F(DesktopAppsTest, TheUsersListsFollowTheCopyThatWins) {
  const std::string system = kSystem + "/kde/okular.desktop";
  const std::string user = kUser + "/kde-okular.desktop";
  app->favorites = {system, kSystem + "/firefox.desktop"};
  app->menubar = {system};
  app->categories = {"Work"};
  app->categoriesApps = {{"Work", {system, user}}};
  app->shortcutsIndex = {{system, "ash1"}};
  desktop.defaults.values["ash1"] = Value("Ctrl+Alt+O");
  app->bindShortcuts();

  override("kde-okular.desktop", "Okular (mine)");
  app->rescanApps();
  EXPECT_EQ(app->favorites, (Paths{user, kSystem + "/firefox.desktop"}));
  EXPECT_EQ(stored(keys::kFavorites), app->favorites);
  EXPECT_EQ(stored(keys::kMenubar), Paths{user});
  EXPECT_EQ(app->categoriesApps.at("Work"), Paths{user}) << "a list naming both keeps one";
  EXPECT_EQ(asStringDictionary(desktop.defaults.values.at(keys::kShortcutsIndex)),
            (std::map<std::string, std::string>{{user, "ash1"}}));
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+O"));
  EXPECT_EQ(desktop.workspace.launched, Paths{user});

  desktop.fileSystem.remove(user);
  app->rescanApps();
  EXPECT_EQ(app->favorites, (Paths{system, kSystem + "/firefox.desktop"}));
  EXPECT_EQ(app->menubar, Paths{system});
  EXPECT_EQ(app->shortcutsIndex, (std::map<std::string, std::string>{{system, "ash1"}}));

  // A menu editor hides an app with a copy that keeps it out of the menus.
  override("kde-okular.desktop", "Okular", Verdict::NotShown);
  app->rescanApps();
  EXPECT_EQ(app->favorites, (Paths{user, kSystem + "/firefox.desktop"}));
}

// A change on disk reaches the catalogue, the menus and the Apps window
// without pruning: what is missing may be back in a moment.
TEST_F(DesktopAppsTest, AChangeOnDiskRescansWithoutPruning) {
  app->favorites = {kSystem + "/firefox.desktop"};
  app->menubar = {kSystem + "/kde/okular.desktop"};
  start();
  EXPECT_EQ(desktop.directoryWatcher.watched,
            (Paths{kSystem, kSystem + "/kde", "/home/u/Applications", kUser, kSystem, "/home/u/Applications"}))
      << "the walked directories, then the watched ones, also those not there";

  desktop.fileSystem.remove(kSystem + "/firefox.desktop");
  desktop.appKinds.addDesktopEntry(kSystem + "/new.desktop", "New");
  const int reloads = desktop.appsTable.reloads;
  desktop.log.clear();
  desktop.directoryWatcher.change();
  EXPECT_EQ(titlesOf(*app->allAppsMenu), (Paths{"Broken", "Hidden", "New", "Okular", "tool", "Zed"}));
  EXPECT_EQ(desktop.appsTable.reloads, reloads + 1);
  EXPECT_EQ(app->favorites, Paths{kSystem + "/firefox.desktop"});
  EXPECT_EQ(favoriteTitles(), Paths{"firefox"});
  EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty()) << "nothing to save";
  EXPECT_TRUE(desktop.log.matching("statusBar.").empty()) << "the pins stay as they are";

  desktop.appKinds.addDesktopEntry(kSystem + "/kde/okular.desktop", "Okular 2");
  desktop.directoryWatcher.change();
  EXPECT_EQ(pinned(0).toolTip, "Okular 2") << "a pinned app's new title";
}

}  // namespace
}  // namespace wendaro
