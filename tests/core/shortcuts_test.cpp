#include "core/core_test_fixture.h"
#include "launch/shortcut_keys.h"
#include "settings/defaults_keys.h"
#include "settings/shape_checks.h"

namespace wendaro {
namespace {

using fake::asFake;
using Paths = std::vector<std::string>;
using Index = std::map<std::string, std::string>;

TEST(TimeDigitsTest, ShortestFixedFormWithoutItsPoint) {
  struct Case {
    double seconds;
    const char* digits;
  };
  for (const Case& c : {
           Case{5.25, "525"},
           Case{7.0, "70"},
           Case{0.0, "00"},
           Case{0.1, "01"},
           Case{0.30000000000000004, "030000000000000004"},
           Case{1e-7, "00000001"},
           Case{123456.5, "1234565"},
           Case{760123456.789012, "760123456789012"},
           Case{760123456.0, "7601234560"},
           Case{789012345.6789, "7890123456789"},
           Case{1.5e9 + 1.0 / 3, "15000000003333333"},
           Case{2251799813685248.5, "22517998136852485"},  // 2^51 + 0.5, the last half second
           Case{4503599627370497.0, "45035996273704970"},  // 2^52 + 1, whole from here on
           Case{1e22, "100000000000000000000000"},
       }) {
    EXPECT_EQ(timeDigits(c.seconds), c.digits) << c.seconds;
  }
}

class ShortcutsTest : public CoreTest {
 protected:
  void store(const std::string& key, const std::string& combination) { desktop.defaults.values[key] = Value(combination); }
  std::size_t indexSaves() const { return desktop.log.matching("defaults.setObject shortcutsIndex").size(); }
  Index storedIndex() const {
    return asStringDictionary(desktop.defaults.values.at(keys::kShortcutsIndex)).value_or(Index{});
  }
};

TEST_F(ShortcutsTest, StoredShortcutsWorkFromStartByTheFirstLetterOfTheirKey) {
  desktop.defaults.values[keys::kShortcutsIndex] =
      stringDictionaryValue({{"/Applications/Mail.app", "ash1"}, {"Work", "csh2"}, {"Gone", "csh3"}, {"Play", "xsh4"}});
  desktop.defaults.values[keys::kCategoriesApps] = Value(Value::Dictionary{
      {"Work", stringArrayValue({"/A/B.app", "/A/A.app"})}, {"Play", stringArrayValue({"/A/P.app"})}});
  store("ash1", "Ctrl+Alt+M");
  store("csh2", "Ctrl+Alt+W");
  store("csh3", "Ctrl+Alt+G");
  store("xsh4", "Ctrl+Alt+P");
  app->loadSettings();
  app->bindShortcuts();

  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+M"));
  EXPECT_EQ(desktop.workspace.launched, Paths{"/Applications/Mail.app"});
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+W"));
  EXPECT_EQ(desktop.workspace.launched, (Paths{"/Applications/Mail.app", "/A/B.app", "/A/A.app"}));
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+G")) << "a vanished category stays bound";
  EXPECT_EQ(desktop.workspace.launched.size(), 3u) << "and launches nothing";
  EXPECT_FALSE(desktop.binder.press("Ctrl+Alt+P")) << "a key neither of an app nor of a category is not ours";
  EXPECT_TRUE(desktop.binder.isBound(keys::kMenuShortcut));
}

// What the index names is removed by the menus and written by the editor, so
// an entry naming anything but a key the program mints would reach another
// setting. Such an entry is dropped at start, from the stored index too, and
// a whole run with the editor touches no setting through it.
TEST(ShortcutIndexTest, OnlyMintedKeysAreReachedThroughTheIndex) {
  const std::string mail = "/Applications/Mail.app";
  for (const char* hostile : {"directories", "favorites", "shortcutsIndex", "WendaroMenu", "ash", "csh",
                              "ash12x", "csh-1", "ash1.5", "ash 12", "Ash12", "xsh12", "ash\u0661", ""}) {
    SCOPED_TRACE(hostile);
    fake::FakeDesktop desktop;
    desktop.fileSystem.addDirectory(mail);
    desktop.defaults.values = {
        {keys::kDirectories, stringArrayValue({"/Applications"})},
        {keys::kFavorites, stringArrayValue({mail})},
        {keys::kCategories, stringArrayValue({"Work"})},
        {keys::kCategoriesApps, stringArrayDictionaryValue({{"Work", {mail}}})},
        {keys::kShortcutsIndex, stringDictionaryValue({{mail, hostile}, {"Work", "csh2"}})},
        {keys::kMenuShortcut, Value("Ctrl+Space")},
        {"csh2", Value("Ctrl+Alt+W")},
    };
    desktop.defaults.values.emplace(hostile, Value("Ctrl+Alt+H"));
    auto before = desktop.defaults.values;
    before.erase(keys::kShortcutsIndex);

    auto app = desktop.makeApplication();
    app->applicationDidFinishLaunching();
    EXPECT_EQ(asStringDictionary(desktop.defaults.values.at(keys::kShortcutsIndex)), (Index{{"Work", "csh2"}}));
    EXPECT_FALSE(desktop.binder.press("Ctrl+Alt+H"));
    app->showShortcutWindow(mail, false);
    EXPECT_TRUE(isMintedShortcutKey(desktop.shortcutView.associatedKey)) << desktop.shortcutView.associatedKey;
    EXPECT_NE(desktop.shortcutView.associatedKey, "csh2");
    desktop.shortcutView.record("Ctrl+Alt+M");
    desktop.shortcutView.clear();
    app->refreshMenus();

    for (const auto& [key, value] : before) {
      const auto kept = desktop.defaults.values.find(key);
      EXPECT_TRUE(kept != desktop.defaults.values.end() && kept->second == value) << key << " was changed";
    }
    EXPECT_TRUE(desktop.binder.press("Ctrl+Space"));
    EXPECT_TRUE(desktop.workspace.launched.empty());
  }
}

// An app gone from the catalogue and from every list takes its shortcut
// with it; one below a directory the scan could not read is not gone, and a
// category's shortcut is not the scan's business.
TEST_F(ShortcutsTest, TheShortcutOfAGoneAppIsForgottenAtTheScan) {
  install({"/A/Kept.app", "/Vol"});
  desktop.fileSystem.setUnreadable("/Vol");
  desktop.defaults.values[keys::kDirectories] = stringArrayValue({"/A", "/Vol"});
  desktop.defaults.values[keys::kFavorites] = stringArrayValue({"/A/Gone.app"});
  desktop.defaults.values[keys::kShortcutsIndex] = stringDictionaryValue(
      {{"/A/Gone.app", "ash1"}, {"/A/Kept.app", "ash2"}, {"/Vol/Away.app", "ash3"}, {"Work", "csh4"}});
  for (const char* key : {"ash1", "ash2", "ash3", "csh4"}) store(key, std::string("Ctrl+Alt+") + key[3]);
  start();

  EXPECT_EQ(storedIndex(), (Index{{"/A/Kept.app", "ash2"}, {"/Vol/Away.app", "ash3"}, {"Work", "csh4"}}));
  EXPECT_EQ(app->shortcutsIndex, storedIndex());
  EXPECT_FALSE(desktop.defaults.values.contains("ash1"));
  EXPECT_FALSE(desktop.binder.isBound("ash1"));
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+2"));
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+3"));
}

TEST_F(ShortcutsTest, MenuShortcutOpensAndClosesTheMainMenu) {
  app->setUpMenus();
  app->bindShortcuts();
  store(keys::kMenuShortcut, "Ctrl+Space");
  auto& button = desktop.mainStatusItem().fakeButton();

  EXPECT_TRUE(desktop.binder.press("Ctrl+Space"));
  EXPECT_EQ(desktop.statusBar.openMenu, app->menubarMenu.get());
  EXPECT_TRUE(button.highlighted);
  EXPECT_FALSE(desktop.binder.press("Ctrl+Space")) << "inert while the menu it opened is tracked";

  desktop.statusBar.closeMenu();
  EXPECT_FALSE(button.highlighted);
  EXPECT_TRUE(desktop.binder.isBound(keys::kMenuShortcut));

  desktop.statusBar.mouseDown(desktop.mainStatusItem());  // opened by a click: the binding is intact
  EXPECT_TRUE(desktop.binder.press("Ctrl+Space"));
  EXPECT_EQ(desktop.statusBar.openMenu, nullptr);
  EXPECT_FALSE(button.highlighted);
  EXPECT_TRUE(desktop.binder.isBound(keys::kMenuShortcut)) << "bound again when the menu closed";
}

TEST_F(ShortcutsTest, FirstOpeningForAnAppMintsBindsAndSavesOnce) {
  desktop.clock.now = 760123456.5;
  desktop.log.clear();
  app->showShortcutWindow("/Applications/Mail.app", false);

  EXPECT_EQ(app->shortcutsIndex, (Index{{"/Applications/Mail.app", "ash7601234565"}}));
  EXPECT_EQ(desktop.log.matching("binder.bind"), Paths{"binder.bind ash7601234565"});
  EXPECT_EQ(indexSaves(), 1u);
  EXPECT_EQ(storedIndex(), app->shortcutsIndex);
  EXPECT_EQ(desktop.shortcutView.associatedKey, "ash7601234565");
  EXPECT_EQ(desktop.shortcutWindow.title(), "Mail");
  const auto* image = asFake(desktop.shortcutImageView.image);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), (Size{14, 14}));
  EXPECT_EQ(asFake(image->drawnSource)->name, "icon:/Applications/Mail.app");
  // Below the icon's window at (1000, 878): centred on its left edge, 10 below.
  EXPECT_EQ(desktop.shortcutWindow.frame().origin, (Point{800, 568}));
  EXPECT_EQ(desktop.log.all().back(), "window[shortcut].makeKeyAndOrderFront");

  desktop.log.clear();
  desktop.clock.now += 60;
  app->showShortcutWindow("/Applications/Mail.app", false);
  EXPECT_EQ(desktop.shortcutView.associatedKey, "ash7601234565");
  EXPECT_TRUE(desktop.log.matching("binder.").empty());
  EXPECT_EQ(indexSaves(), 0u);
}

TEST_F(ShortcutsTest, UnusedKeyIsDroppedAndTheNextOpeningMintsAFreshOne) {
  app->allApps = {"/Applications/Mail.app"};
  app->setUpMenus();
  app->showShortcutWindow("/Applications/Mail.app", false);
  const std::string first = app->shortcutsIndex.at("/Applications/Mail.app");
  app->refreshMenus();  // closed without recording
  EXPECT_TRUE(app->shortcutsIndex.empty());
  EXPECT_EQ(storedIndex().at("/Applications/Mail.app"), first) << "the stored index keeps it until the next save";

  desktop.clock.now = 9.5;
  app->showShortcutWindow("/Applications/Mail.app", false);
  EXPECT_EQ(storedIndex(), (Index{{"/Applications/Mail.app", "ash95"}}));
  EXPECT_NE(first, "ash95");
}

TEST_F(ShortcutsTest, ARecordedCategoryKeyLaunchesTheCategory) {
  app->categoriesApps["Work"] = {"/A/One.app", "/A/Two.app"};
  app->saveCategories();
  desktop.clock.now = 7.0;
  app->showShortcutWindow("Work", true);
  EXPECT_EQ(app->shortcutsIndex.at("Work"), "csh70");
  EXPECT_EQ(desktop.shortcutWindow.title(), "Work");
  EXPECT_FALSE(desktop.shortcutImageView.image);
  desktop.shortcutView.record("Ctrl+Alt+W");
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+W"));
  EXPECT_EQ(desktop.workspace.launched, (Paths{"/A/One.app", "/A/Two.app"}));
}

// One press would start only one of them; the editor says which entry has
// the shortcut and keeps it there.
TEST_F(ShortcutsTest, AShortcutAnotherEntryHasIsNotRecordedTwice) {
  const std::string mail = "/Applications/Mail.app";
  start();
  store(keys::kMenuShortcut, "Ctrl+Space");
  app->showShortcutWindow(mail, false);
  desktop.shortcutView.record("Ctrl+Alt+M");
  app->showShortcutWindow("Work", true);
  desktop.shortcutView.record("Ctrl+Alt+W");
  const std::string workKey = desktop.shortcutView.associatedKey;

  const struct {
    std::string target;
    bool isCategory;
    const char* shortcut;
    std::optional<std::string> inUseBy;
  } cases[] = {
      {"Work", true, "Ctrl+Alt+M", "Mail"},
      {"Work", true, "Alt+Ctrl+M", "Mail"},
      {"Work", true, "Ctrl+Space", "Wendaro's Menu"},
      {keys::kMenuShortcut, false, "Ctrl+Alt+W", "Work"},
      {mail, false, "Ctrl+Alt+W", "Work"},
      {mail, false, "Ctrl+Alt+M", std::nullopt},
      {"Work", true, "Ctrl+Alt+X", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target + " " + c.shortcut);
    app->showShortcutWindow(c.target, c.isCategory);
    const Value before = desktop.defaults.values.at(desktop.shortcutView.associatedKey);
    desktop.shortcutView.record(c.shortcut);
    EXPECT_EQ(desktop.shortcutView.inUseBy, c.inUseBy);
    EXPECT_EQ(desktop.defaults.values.at(desktop.shortcutView.associatedKey),
              c.inUseBy ? before : Value(c.shortcut));
  }
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+M"));
  EXPECT_EQ(desktop.workspace.launched, Paths{mail}) << "and nothing else";
  EXPECT_EQ(desktop.defaults.values.at(workKey), Value("Ctrl+Alt+X"));
}

TEST_F(ShortcutsTest, MainMenuEditorLeavesTheIndexAlone) {
  desktop.log.clear();
  app->showShortcutWindow(keys::kMenuShortcut, false);
  EXPECT_TRUE(app->shortcutsIndex.empty());
  EXPECT_TRUE(desktop.log.matching("binder.").empty());
  EXPECT_TRUE(desktop.log.matching("defaults.").empty());
  EXPECT_EQ(desktop.shortcutView.associatedKey, "WendaroMenu");
  EXPECT_EQ(desktop.shortcutWindow.title(), "Wendaro's Menu");
  ASSERT_TRUE(asFake(desktop.shortcutImageView.image));
  EXPECT_EQ(asFake(desktop.shortcutImageView.image)->name, "MenubarIcon");
  EXPECT_TRUE(desktop.shortcutWindow.visible);
}

// A user category may bear the main menu's key as its name; its editor must
// not edit the main-menu shortcut.
TEST_F(ShortcutsTest, CategoryNamedLikeTheMenuKeyGetsItsOwnKey) {
  app->showShortcutWindow("WendaroMenu", true);
  EXPECT_EQ(app->shortcutsIndex.at("WendaroMenu"), "csh525");
  EXPECT_EQ(desktop.shortcutView.associatedKey, "csh525");
}

TEST_F(ShortcutsTest, EditorForAnAppWithAnUnusableIconShowsNoImage) {
  desktop.shortcutImageView.image = std::make_shared<fake::FakeImage>("previous", Size{14, 14});
  desktop.workspace.icons["/A/Broken.app"] = std::make_shared<fake::FakeImage>("broken", Size{32, 32}, false);
  app->showShortcutWindow("/A/Broken.app", false);
  EXPECT_FALSE(desktop.shortcutImageView.image);
}

}  // namespace
}  // namespace wendaro
