#include "desktop/shortcuts/global_shortcut_binder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "desktop/in_memory_key_grabber.h"
#include "fake/fake_services.h"
#include "fake/fake_shortcuts.h"

namespace wendaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class GlobalShortcutBinderTest : public ::testing::Test {
 protected:
  GlobalShortcutBinder::StoredShortcutReader reader() {
    return [this](const std::string& key) -> std::optional<Shortcut> {
      auto stored = store.values.find(key);
      if (stored == store.values.end() || !stored->second.isString()) return std::nullopt;
      return fake::parseShortcut(stored->second.string());
    };
  }
  // What the recorder does: writes the store, which tells its listeners.
  void record(const std::string& key, const std::string& text) {
    store.values[key] = Value(text);
    binder->storedValueChanged(key);
  }
  void clear(const std::string& key) {
    store.values.erase(key);
    binder->storedValueChanged(key);
  }
  std::function<void()> logs(const std::string& name) {
    return [this, name] { ran.push_back(name); };
  }

  fake::CallLog log;
  fake::FakeDefaultsStore store{log};
  test::InMemoryKeyGrabber keyboard;
  std::vector<std::string> reported;
  std::vector<std::string> ran;
  std::unique_ptr<GlobalShortcutBinder> binder = std::make_unique<GlobalShortcutBinder>(
      keyboard, reader(), [this](const Shortcut& taken) { reported.push_back(test::textOf(taken)); });
};

TEST_F(GlobalShortcutBinderTest, KeyBoundBeforeAnyShortcutIsStoredWorksOnceOneIs) {
  binder->bindShortcutWithDefaultsKey("ash1", logs("mail"));
  EXPECT_THAT(keyboard.calls, IsEmpty());
  record("ash1", "Ctrl+Alt+K");
  ASSERT_TRUE(keyboard.press("Ctrl+Alt+K"));
  EXPECT_THAT(ran, ElementsAre("mail"));
}

TEST_F(GlobalShortcutBinderTest, TheStoredShortcutRunsTheActionAndFollowsChangesWithoutBindingAgain) {
  store.values["ash1"] = Value("Ctrl+Alt+K");
  binder->bindShortcutWithDefaultsKey("ash1", logs("mail"));
  EXPECT_TRUE(keyboard.press("Ctrl+Alt+K"));
  record("ash1", "Ctrl+Alt+L");
  EXPECT_FALSE(keyboard.press("Ctrl+Alt+K"));
  EXPECT_TRUE(keyboard.press("Ctrl+Alt+L"));
  clear("ash1");
  EXPECT_FALSE(keyboard.press("Ctrl+Alt+L"));
  record("ash1", "Shift+Meta+F5");
  EXPECT_TRUE(keyboard.press("Shift+Meta+F5"));
  EXPECT_THAT(ran, ElementsAre("mail", "mail", "mail"));
  EXPECT_THAT(keyboard.calls, ElementsAre("grab Ctrl+Alt+K", "grab Ctrl+Alt+L", "ungrab Ctrl+Alt+K",
                                          "ungrab Ctrl+Alt+L", "grab Shift+Meta+F5"));
}

TEST_F(GlobalShortcutBinderTest, AStoreWriteThatChangesNothingGrabsNothing) {
  record("ash1", "Ctrl+Alt+K");
  binder->bindShortcutWithDefaultsKey("ash1", logs("mail"));
  record("ash1", "Alt+Ctrl+K");  // the same combination written otherwise
  record("csh2", "Ctrl+Alt+J");  // a key nobody bound
  EXPECT_THAT(keyboard.calls, ElementsAre("grab Ctrl+Alt+K"));
}

TEST_F(GlobalShortcutBinderTest, BindingABoundKeyAgainReplacesItsAction) {
  record("WendaroMenu", "Ctrl+Alt+M");
  binder->bindShortcutWithDefaultsKey("WendaroMenu", logs("first"));
  binder->bindShortcutWithDefaultsKey("WendaroMenu", logs("second"));
  keyboard.press("Ctrl+Alt+M");
  EXPECT_THAT(ran, ElementsAre("second"));
  EXPECT_THAT(keyboard.calls, ElementsAre("grab Ctrl+Alt+M"));
}

TEST_F(GlobalShortcutBinderTest, BreakingABindingStopsItUntilItIsBoundAgain) {
  record("WendaroMenu", "Ctrl+Alt+M");
  binder->bindShortcutWithDefaultsKey("WendaroMenu", logs("menu"));
  binder->breakBindingWithDefaultsKey("WendaroMenu");
  EXPECT_FALSE(keyboard.press("Ctrl+Alt+M"));
  // A change while unbound is not followed; binding again reads the store.
  record("WendaroMenu", "Ctrl+Alt+N");
  binder->bindShortcutWithDefaultsKey("WendaroMenu", logs("menu"));
  EXPECT_TRUE(keyboard.press("Ctrl+Alt+N"));
  EXPECT_THAT(ran, ElementsAre("menu"));
  EXPECT_THAT(keyboard.calls, ElementsAre("grab Ctrl+Alt+M", "ungrab Ctrl+Alt+M", "grab Ctrl+Alt+N"));
}

// A settings file may store one combination under several keys: the first
// key in key order has it, whichever was bound first.
TEST_F(GlobalShortcutBinderTest, KeysStoringTheSameCombinationShareOneGrabAndTheFirstRuns) {
  record("ash2", "Ctrl+Alt+K");
  record("WendaroMenu", "Ctrl+Alt+K");
  binder->bindShortcutWithDefaultsKey("ash2", logs("mail"));
  binder->bindShortcutWithDefaultsKey("WendaroMenu", logs("menu"));
  keyboard.press("Ctrl+Alt+K");
  EXPECT_THAT(ran, ElementsAre("menu"));
  EXPECT_TRUE(binder->isTakenByAnotherKey("ash2"));
  EXPECT_FALSE(binder->isTakenByAnotherKey("WendaroMenu"));

  clear("WendaroMenu");
  ran.clear();
  keyboard.press("Ctrl+Alt+K");
  EXPECT_THAT(ran, ElementsAre("mail"));
  EXPECT_FALSE(binder->isTakenByAnotherKey("ash2"));
  binder->breakBindingWithDefaultsKey("ash2");
  EXPECT_THAT(keyboard.calls, ElementsAre("grab Ctrl+Alt+K", "ungrab Ctrl+Alt+K"));
}

TEST_F(GlobalShortcutBinderTest, AnActionMayBreakBindingsWhileItRuns) {
  record("WendaroMenu", "Ctrl+Alt+M");
  record("ash1", "Ctrl+Alt+M");
  // The main-menu action breaks its own binding, as the menu toggle does,
  // and with it the only other user of the combination goes too.
  binder->bindShortcutWithDefaultsKey("WendaroMenu", [this] {
    binder->breakBindingWithDefaultsKey("WendaroMenu");
    binder->breakBindingWithDefaultsKey("ash1");
    ran.push_back("menu");
  });
  binder->bindShortcutWithDefaultsKey("ash1", logs("mail"));
  keyboard.press("Ctrl+Alt+M");
  EXPECT_THAT(ran, ElementsAre("menu"));
  EXPECT_TRUE(keyboard.grabbed.empty());
}

TEST_F(GlobalShortcutBinderTest, CombinationHeldByAnotherProgramIsReportedOnceAndShownAsAConflict) {
  keyboard.heldElsewhere = {"Ctrl+Alt+K"};
  std::vector<std::string> told;
  binder->setConflictListener([&](const std::string& key) { told.push_back(key); });
  binder->bindShortcutWithDefaultsKey("ash1", logs("mail"));
  binder->bindShortcutWithDefaultsKey("ash2", logs("notes"));

  record("ash1", "Ctrl+Alt+K");
  record("ash2", "Ctrl+Alt+K");
  EXPECT_THAT(reported, ElementsAre("Ctrl+Alt+K"));
  EXPECT_TRUE(binder->isTakenByAnotherProgram("ash1"));
  EXPECT_TRUE(binder->isTakenByAnotherProgram("ash2"));

  // Tried again when a key comes to store it anew, but not reported again.
  clear("ash1");
  clear("ash2");
  record("ash1", "Ctrl+Alt+K");
  EXPECT_THAT(reported, ElementsAre("Ctrl+Alt+K"));
  EXPECT_EQ(std::count(keyboard.calls.begin(), keyboard.calls.end(), "grab Ctrl+Alt+K"), 2);
  EXPECT_FALSE(binder->isTakenByAnotherProgram("ash2"));

  record("ash1", "Ctrl+Alt+L");
  EXPECT_FALSE(binder->isTakenByAnotherProgram("ash1"));
  EXPECT_TRUE(keyboard.press("Ctrl+Alt+L"));
  EXPECT_THAT(told, ElementsAre("ash1", "ash2", "ash1", "ash2", "ash1", "ash1"));
}

TEST_F(GlobalShortcutBinderTest, CombinationThisKeyboardCannotTypeIsNoConflict) {
  keyboard.untypable = {"Ctrl+F35"};
  record("ash1", "Ctrl+F35");
  binder->bindShortcutWithDefaultsKey("ash1", logs("mail"));
  EXPECT_FALSE(binder->isTakenByAnotherProgram("ash1"));
  EXPECT_THAT(reported, IsEmpty());
  clear("ash1");
  EXPECT_THAT(keyboard.calls, ElementsAre("grab Ctrl+F35"));  // nothing to let go
}

// While the editor records, pressing a shortcut must reach the editor.
TEST_F(GlobalShortcutBinderTest, WhileTheEditorRecordsNothingIsHeldAndAllIsTakenBackAfter) {
  keyboard.heldElsewhere = {"Ctrl+Alt+J"};
  std::vector<std::string> told;
  binder->setConflictListener([&](const std::string& key) { told.push_back(key); });
  record("ash1", "Ctrl+Alt+K");
  binder->bindShortcutWithDefaultsKey("ash1", logs("mail"));
  binder->bindShortcutWithDefaultsKey("ash2", logs("notes"));

  keyboard.calls.clear();
  binder->setRecording(true);
  EXPECT_FALSE(keyboard.press("Ctrl+Alt+K"));
  record("ash2", "Ctrl+Alt+J");
  EXPECT_TRUE(binder->isTakenByAnotherProgram("ash2")) << "a conflict shows while the editor is open";
  record("ash1", "Ctrl+Alt+L");
  EXPECT_THAT(keyboard.grabbed, IsEmpty());
  EXPECT_THAT(keyboard.calls, ElementsAre("ungrab Ctrl+Alt+K", "grab Ctrl+Alt+J", "grab Ctrl+Alt+L",
                                          "ungrab Ctrl+Alt+L"));

  binder->setRecording(false);
  EXPECT_THAT(keyboard.grabbed, ElementsAre("Ctrl+Alt+L"));
  EXPECT_TRUE(keyboard.press("Ctrl+Alt+L"));
  EXPECT_THAT(ran, ElementsAre("mail"));

  // Another program took it while the editor recorded: said when taken back.
  binder->setRecording(true);
  keyboard.heldElsewhere.insert("Ctrl+Alt+L");
  told.clear();
  binder->setRecording(false);
  EXPECT_TRUE(binder->isTakenByAnotherProgram("ash1"));
  EXPECT_THAT(told, ElementsAre("ash1"));
  EXPECT_THAT(reported, ElementsAre("Ctrl+Alt+J", "Ctrl+Alt+L"));

  // The other program let go: found free as soon as the editor records again.
  keyboard.heldElsewhere.erase("Ctrl+Alt+L");
  told.clear();
  binder->setRecording(true);
  EXPECT_FALSE(binder->isTakenByAnotherProgram("ash1"));
  EXPECT_THAT(told, ElementsAre("ash1"));
  EXPECT_THAT(keyboard.grabbed, IsEmpty());
  binder->setRecording(false);
  EXPECT_TRUE(keyboard.press("Ctrl+Alt+L"));
  EXPECT_THAT(ran, ElementsAre("mail", "mail"));

  // A binder that goes while the editor records has nothing to let go.
  binder->setRecording(true);
  keyboard.calls.clear();
  binder.reset();
  EXPECT_THAT(keyboard.calls, IsEmpty());
}

TEST_F(GlobalShortcutBinderTest, ABinderThatGoesLetsGoOfItsGrabsAndHearsNoMore) {
  record("ash1", "Ctrl+Alt+K");
  record("ash2", "Ctrl+Alt+L");
  binder->bindShortcutWithDefaultsKey("ash1", logs("mail"));
  binder->bindShortcutWithDefaultsKey("ash2", logs("notes"));
  binder.reset();
  EXPECT_TRUE(keyboard.grabbed.empty());
  EXPECT_FALSE(keyboard.hasHandler());
}

}  // namespace
}  // namespace wendaro
