#include "core/core_test_fixture.h"
#include "launch/shortcut_keys.h"

namespace wendaro {
namespace {

TEST(ShortcutKeysTest, TimeDigitsAreTheShortestFixedFormWithoutItsPoint) {
  // 2^51 + 0.5 is the last half second; from 2^52 + 1 on all are whole.
  const std::pair<double, const char*> cases[] = {
      {5.25, "525"}, {7.0, "70"}, {0.0, "00"}, {0.30000000000000004, "030000000000000004"}, {1e-7, "00000001"},
      {2251799813685248.5, "22517998136852485"}, {4503599627370497.0, "45035996273704970"},
      {1e22, "100000000000000000000000"}};
  for (const auto& [seconds, digits] : cases) EXPECT_EQ(timeDigits(seconds), digits) << seconds;
}

using ShortcutsTest = CoreTest;

// Stored shortcuts work from the start, of the kind their key's first letter tells. A gone
// app takes its shortcut with it; one below an unread directory is not gone.
TEST_F(ShortcutsTest, StoredShortcutsWorkFromTheStartUntilTheirAppIsGone) {
  install({"/A/Kept.app", "/A/B.app", "/A/A.app", "/Vol"});
  desktop.fileSystem.setUnreadable("/Vol");
  desktop.defaults.values = {
      {keys::kDirectories, stringArrayValue({"/A", "/Vol"})},
      {keys::kShortcutsIndex, stringDictionaryValue({{"/A/Gone.app", "ash1"},
                                                     {"/A/Kept.app", "ash2"},
                                                     {"/Vol/Away.app", "ash3"},
                                                     {"Work", "csh4"},
                                                     {"Gone", "csh5"}})},
      {keys::kCategoriesApps, stringArrayDictionaryValue({{"Work", {"/A/B.app", "/A/A.app"}}})},
  };
  for (const char* key : {"ash1", "ash2", "ash3", "csh4", "csh5"}) store(key, std::string("Ctrl+Alt+") + key[3]);
  start();
  EXPECT_EQ(storedIndex(),
            (Index{{"/A/Kept.app", "ash2"}, {"/Vol/Away.app", "ash3"}, {"Work", "csh4"}, {"Gone", "csh5"}}));
  EXPECT_FALSE(desktop.defaults.values.contains("ash1"));
  EXPECT_FALSE(desktop.binder.press("Ctrl+Alt+1"));
  for (const char* pressed : {"Ctrl+Alt+2", "Ctrl+Alt+3", "Ctrl+Alt+4", "Ctrl+Alt+5"}) {
    EXPECT_TRUE(desktop.binder.press(pressed)) << pressed;
  }
  EXPECT_EQ(desktop.workspace.launched, (Paths{"/A/Kept.app", "/Vol/Away.app", "/A/B.app", "/A/A.app"}));
}

// An index entry naming anything but a minted key would reach another setting through the
// menus and the editor: it is dropped at start, from the store too, and touches nothing.
TEST(ShortcutIndexTest, OnlyMintedKeysAreReachedThroughTheIndex) {
  const std::string ledger = "/Applications/Ledger.app";
  for (const char* hostile : {"favorites", "shortcutsIndex", "WendaroMenu", "ash", "csh", "ash12x", "ash1.5", "Ash12",
                              "xsh12", "ash\u0661", ""}) {
    SCOPED_TRACE(hostile);
    fake::FakeDesktop desktop;
    desktop.fileSystem.addDirectory(ledger);
    desktop.defaults.values = {
        {keys::kFavorites, stringArrayValue({ledger})},
        {keys::kShortcutsIndex, stringDictionaryValue({{ledger, hostile}, {"Work", "csh2"}})},
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
    app->showShortcutWindow(ledger, false);
    EXPECT_TRUE(isMintedShortcutKey(desktop.shortcutView.associatedKey)) << desktop.shortcutView.associatedKey;
    desktop.shortcutView.record("Ctrl+Alt+M");
    desktop.shortcutView.clear();
    app->refreshMenus();
    for (const auto& [key, value] : before) {
      const auto kept = desktop.defaults.values.find(key);
      EXPECT_TRUE(kept != desktop.defaults.values.end() && kept->second == value) << key << " was changed";
    }
  }
}

// The first opening for an app or category mints a key of its kind and saves it once; one
// left without a shortcut is dropped when the menus are built.
TEST_F(ShortcutsTest, TheEditorMintsAKeyAtTheFirstOpening) {
  app->allApps = {"/A/Ledger.app"};
  app->setUpMenus();
  desktop.clock.now = 760123456.5;
  desktop.log.clear();
  app->showShortcutWindow("/A/Ledger.app", false);
  app->showShortcutWindow("/A/Ledger.app", false);
  EXPECT_EQ(app->shortcutsIndex, (Index{{"/A/Ledger.app", "ash7601234565"}}));
  EXPECT_EQ(storedIndex(), app->shortcutsIndex);
  EXPECT_EQ(desktop.log.matching("defaults.setObject shortcutsIndex").size(), 1u);
  EXPECT_EQ(desktop.shortcutWindow.title(), "Ledger");
  EXPECT_EQ(fake::asFake(desktop.shortcutImageView.image)->size(), (Size{14, 14}));
  app->refreshMenus();
  EXPECT_TRUE(app->shortcutsIndex.empty());

  desktop.clock.now = 7.0;
  app->showShortcutWindow("WendaroMenu", true);  // a category named like the menu's key
  EXPECT_EQ(app->shortcutsIndex, (Index{{"WendaroMenu", "csh70"}}));
  EXPECT_FALSE(desktop.shortcutImageView.image);
  app->categoriesApps["WendaroMenu"] = {"/A/One.app"};
  desktop.shortcutView.record("Ctrl+Alt+W");
  EXPECT_TRUE(desktop.binder.press("Ctrl+Alt+W"));
  EXPECT_EQ(desktop.workspace.launched, Paths{"/A/One.app"});

  app->showShortcutWindow(keys::kMenuShortcut, false);
  EXPECT_EQ(desktop.shortcutView.associatedKey, "WendaroMenu");
  EXPECT_EQ(fake::asFake(desktop.shortcutImageView.image)->name, "MenubarIcon");
  EXPECT_EQ(app->shortcutsIndex.size(), 1u);
}

// One press would start only one of them: the editor says which entry has
// the shortcut and keeps it there.
TEST_F(ShortcutsTest, AShortcutAnotherEntryHasIsNotRecordedTwice) {
  const std::string ledger = "/Applications/Ledger.app";
  start();
  store(keys::kMenuShortcut, "Ctrl+Space");
  app->showShortcutWindow(ledger, false);
  desktop.shortcutView.record("Ctrl+Alt+M");
  app->showShortcutWindow("Work", true);
  desktop.shortcutView.record("Ctrl+Alt+W");
  const std::tuple<std::string, bool, const char*, std::optional<std::string>> cases[] = {
      {"Work", true, "Ctrl+Alt+M", "Ledger"},         {"Work", true, "Alt+Ctrl+M", "Ledger"},
      {"Work", true, "Ctrl+Space", "Wendaro's Menu"}, {keys::kMenuShortcut, false, "Ctrl+Alt+W", "Work"},
      {ledger, false, "Ctrl+Alt+M", std::nullopt},    {"Work", true, "Ctrl+Alt+X", std::nullopt}};
  for (const auto& [target, isCategory, shortcut, inUseBy] : cases) {
    app->showShortcutWindow(target, isCategory);
    const Value before = desktop.defaults.values.at(desktop.shortcutView.associatedKey);
    desktop.shortcutView.record(shortcut);
    EXPECT_EQ(desktop.shortcutView.inUseBy, inUseBy) << target << " " << shortcut;
    EXPECT_EQ(desktop.defaults.values.at(desktop.shortcutView.associatedKey), inUseBy ? before : Value(shortcut));
  }
}

}  // namespace
}  // namespace wendaro
