// The program's global shortcuts in a session without an X server or a
// session bus (these tests run on Qt's offscreen platform); the X path is
// x11_key_grab_test, the portal's portal_test.
#include <gtest/gtest.h>

#include <sstream>

#include "desktop/qt/global_shortcuts.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

class GlobalShortcutsTest : public ::testing::Test {
 protected:
  testing::TemporaryDirectory directory;
  PlistDefaultsStore store{directory / "defaults.plist"};
  std::ostringstream errors;
};

TEST_F(GlobalShortcutsTest, WithoutKeyGrabsTheSessionIsToldOnceAndBindingStillWorks) {
  store.setObject("ash1", Value("Ctrl+Alt+K"));
  GlobalShortcuts shortcuts(store, GlobalShortcuts::Keyboard::Watch, errors);
  EXPECT_FALSE(shortcuts.watchesKeyboard());
  bool ran = false;
  shortcuts.binder().bindShortcutWithDefaultsKey("WendaroMenu", [&] { ran = true; });
  shortcuts.binder().bindShortcutWithDefaultsKey("ash1", [&] { ran = true; });
  store.setObject("WendaroMenu", Value("Ctrl+Alt+M"));
  shortcuts.binder().breakBindingWithDefaultsKey("WendaroMenu");
  EXPECT_FALSE(shortcuts.binder().isTakenByAnotherProgram("ash1"));
  EXPECT_FALSE(ran);
  EXPECT_EQ(errors.str(),
            "wendaro: global shortcuts are not available in this session; bind a key to \"wendaro --open-menu\" or "
            "\"wendaro --launch PATH\" in the desktop's keyboard settings instead\n");
  EXPECT_FALSE(shortcuts.binder().offersGlobalShortcuts());
}

TEST_F(GlobalShortcutsTest, ARunThatIgnoresTheKeyboardSaysNothing) {
  GlobalShortcuts shortcuts(store, GlobalShortcuts::Keyboard::Ignore, errors);
  shortcuts.binder().bindShortcutWithDefaultsKey("WendaroMenu", [] {});
  EXPECT_FALSE(shortcuts.watchesKeyboard());
  EXPECT_EQ(errors.str(), "");
}

TEST_F(GlobalShortcutsTest, StopsFollowingTheStoreWhenItGoes) {
  auto shortcuts = std::make_unique<GlobalShortcuts>(store, GlobalShortcuts::Keyboard::Ignore, errors);
  shortcuts->binder().bindShortcutWithDefaultsKey("ash1", [] {});
  shortcuts.reset();
  store.setObject("ash1", Value("Ctrl+Alt+K"));  // would reach a binder that is gone
  EXPECT_EQ(store.objectForKey("ash1"), Value("Ctrl+Alt+K"));
}

}  // namespace
}  // namespace wendaro
