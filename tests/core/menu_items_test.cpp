#include "core/core_test_fixture.h"
#include "menus/icon_scaling.h"
#include "settings/defaults_keys.h"
#include "settings/shape_checks.h"

namespace wendaro {
namespace {

using fake::asFake;
using fake::FakeImage;

class MenuItemsTest : public CoreTest {
 protected:
  void storeShortcut(const std::string& key, const std::string& combination) {
    desktop.defaults.values[key] = Value(combination);
  }
};

TEST_F(MenuItemsTest, AppEntryIsTitledWithTheDisplayName) {
  struct Case {
    const char* path;
    const char* title;
  };
  for (const Case& c : {Case{"/Applications/Utilities/Disk Utility.app", "Disk Utility"},
                        Case{"/Applications/Foo.Bar.app", "Foo.Bar"}}) {
    auto item = app->makeMenuItem(c.path, false);
    EXPECT_EQ(item->title(), c.title);
    EXPECT_EQ(item->launchString, c.path);
    EXPECT_EQ(item->action(), Action::LaunchAppWithItem);
    EXPECT_EQ(item->target(), ActionTarget::None);
    EXPECT_EQ(item->keyEquivalent(), "");
    EXPECT_FALSE(item->isHardcodedCategory);
  }
}

TEST_F(MenuItemsTest, AppEntryShowsItsIconAtSixteenPoints) {
  auto item = app->makeMenuItem("/Applications/Mail.app", false);
  const FakeImage* image = asFake(item->image());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), (Size{16, 16}));
  ASSERT_TRUE(asFake(image->drawnSource));
  EXPECT_EQ(asFake(image->drawnSource)->name, "icon:/Applications/Mail.app");
}

TEST_F(MenuItemsTest, InvalidIconGivesAnEntryWithItsTitleAlone) {
  desktop.workspace.icons["/Applications/Broken.app"] = std::make_shared<FakeImage>("broken", Size{32, 32}, false);
  auto item = app->makeMenuItem("/Applications/Broken.app", false);
  EXPECT_FALSE(item->image());
  EXPECT_EQ(item->title(), "Broken");
}

TEST_F(MenuItemsTest, LaunchAllEntryHasNoIconAndShowsTheCategoryShortcut) {
  app->shortcutsIndex["Work"] = "csh70";
  storeShortcut("csh70", "Ctrl+Alt+W");
  desktop.log.clear();
  auto item = app->makeMenuItem("Work", true);
  EXPECT_EQ(item->title(), "Launch All");
  EXPECT_EQ(item->action(), Action::LaunchCategoryWithItem);
  EXPECT_EQ(item->launchString, "Work");
  EXPECT_FALSE(item->image());
  EXPECT_TRUE(desktop.log.matching("workspace.iconForFile").empty());
  EXPECT_EQ(item->keyEquivalent(), "W");
  EXPECT_EQ(item->keyEquivalentModifierMask(), kControlKeyMask | kOptionKeyMask);
}

TEST_F(MenuItemsTest, StoredShortcutIsReadThroughAThrowawayRecorder) {
  app->shortcutsIndex["/Applications/Mail.app"] = "ash525";
  storeShortcut("ash525", "Meta+Shift+M");
  desktop.log.clear();
  auto item = app->makeMenuItem("/Applications/Mail.app", false);
  EXPECT_EQ(item->keyEquivalent(), "M");
  EXPECT_EQ(item->keyEquivalentModifierMask(), kCommandKeyMask | kShiftKeyMask);
  EXPECT_EQ(desktop.log.matching("shortcutViews.makeShortcutView").size(), 1u);
  EXPECT_EQ(desktop.log.matching("readerView.setAssociatedUserDefaultsKey"),
            (std::vector<std::string>{"readerView.setAssociatedUserDefaultsKey ash525"}));
  EXPECT_EQ(desktop.shortcutView.associatedKey, "") << "the editor's recorder is not used for reading";
  EXPECT_EQ(app->shortcutsIndex.count("/Applications/Mail.app"), 1u);
}

TEST_F(MenuItemsTest, EntryWithoutStoredShortcutIsPrunedFromMemoryAndItsKeyButNotFromTheStoredIndex) {
  const std::map<std::string, std::string> index = {{"/Applications/Mail.app", "ash525"}, {"Work", "csh70"}};
  app->shortcutsIndex = index;
  const Value storedIndex = stringDictionaryValue(index);
  desktop.defaults.values[keys::kShortcutsIndex] = storedIndex;
  desktop.defaults.values["ash525"] = Value("");  // cleared in the recorder: nothing readable
  storeShortcut("csh70", "Ctrl+W");
  app->bindShortcuts();

  auto item = app->makeMenuItem("/Applications/Mail.app", false);
  EXPECT_EQ(item->keyEquivalent(), "");
  EXPECT_EQ(item->keyEquivalentModifierMask(), 0u);
  EXPECT_EQ(app->shortcutsIndex, (std::map<std::string, std::string>{{"Work", "csh70"}}));
  EXPECT_EQ(desktop.defaults.values.count("ash525"), 0u);
  EXPECT_EQ(desktop.defaults.values[keys::kShortcutsIndex], storedIndex);
  EXPECT_TRUE(desktop.binder.isBound("ash525")) << "the binding lasts for the run";

  desktop.log.clear();
  app->makeMenuItem("/Applications/Mail.app", false);
  EXPECT_TRUE(desktop.log.matching("defaults.removeObjectForKey").empty()) << "pruned only once";
}

TEST(IconGeometryTest, ScalesToFitAndCentresAlongTheShorterSide) {
  struct Case {
    Size image;
    double side;
    Rect expected;
  };
  for (const Case& c : {
           Case{{32, 32}, 16, {{0, 0}, {16, 16}}},
           Case{{64, 32}, 16, {{0, 4}, {16, 8}}},
           Case{{32, 64}, 16, {{4, 0}, {8, 16}}},
           Case{{8, 8}, 16, {{0, 0}, {16, 16}}},
           Case{{10, 40}, 24, {{9, 0}, {6, 24}}},
           Case{{28, 7}, 14, {{0, 5.25}, {14, 3.5}}},
           Case{{16, 16}, 24, {{0, 0}, {24, 24}}},
       }) {
    auto rect = iconDrawingRect(c.image, c.side);
    ASSERT_TRUE(rect) << c.image.width << "x" << c.image.height;
    EXPECT_EQ(*rect, c.expected) << c.image.width << "x" << c.image.height << " at " << c.side;
  }
}

TEST(IconGeometryTest, ImageOfExactlyTheSideNeedsNoDrawing) {
  EXPECT_FALSE(iconDrawingRect({16, 16}, 16));
  EXPECT_TRUE(iconDrawingRect({16, 16.5}, 16));
}

TEST_F(MenuItemsTest, ResizeIconDrawsTheWholeImageIntoANewSquare) {
  auto source = std::make_shared<FakeImage>("source", Size{64, 32});
  auto resized = app->resizeIcon(source, 16);
  const FakeImage* drawn = asFake(resized);
  ASSERT_TRUE(drawn);
  EXPECT_NE(resized, ImageRef(source));
  EXPECT_EQ(drawn->size(), (Size{16, 16}));
  EXPECT_EQ(drawn->drawnSource, ImageRef(source));
  EXPECT_EQ(drawn->drawnInRect, (Rect{{0, 4}, {16, 8}}));
  EXPECT_EQ(drawn->drawnFromRect, Rect{}) << "the zero rectangle stands for the whole image";
  EXPECT_EQ(drawn->drawnOperation, kCompositeSourceOver);
  EXPECT_EQ(drawn->drawnFraction, 1.0);
}

TEST_F(MenuItemsTest, ResizeIconShowsAnExactlySizedImageUnchangedAndDropsUnusableOnes) {
  ImageRef exact = std::make_shared<FakeImage>("exact", Size{16, 16});
  desktop.log.clear();
  EXPECT_EQ(app->resizeIcon(exact, 16), exact);
  EXPECT_TRUE(desktop.log.matching("images.drawImage").empty());

  EXPECT_FALSE(app->resizeIcon(std::make_shared<FakeImage>("invalid", Size{32, 32}, false), 16));
  EXPECT_FALSE(app->resizeIcon(nullptr, 16));
  // Without area there is nothing to scale, and the ratios would be infinite.
  EXPECT_FALSE(app->resizeIcon(std::make_shared<FakeImage>("empty", Size{0, 0}), 16));
  EXPECT_FALSE(app->resizeIcon(std::make_shared<FakeImage>("line", Size{32, 0}), 16));
  EXPECT_TRUE(desktop.log.matching("images.drawImage").empty());
}

}  // namespace
}  // namespace wendaro
