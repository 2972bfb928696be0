// Global shortcuts against a real X server: run by with_xvfb.sh.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "desktop/qt/global_shortcuts.h"
#include "desktop/x11/keyboard_layout.h"
#include "desktop/x11/x11_key_grabber.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using ::testing::ElementsAre;

// Processes events until the condition holds or a generous bound passes.
bool eventually(const std::function<bool()>& condition) {
  QDeadlineTimer deadline(10000);
  while (!condition() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return condition();
}

void xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
}

// Another X client, as another program on the desktop would be.
class OtherClient {
 public:
  OtherClient() : connection_(xcb_connect(nullptr, nullptr)) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  }
  ~OtherClient() { xcb_disconnect(connection_); }

  // Tries to grab the letter with the modifiers; true when the server agreed.
  bool grab(char letter, std::uint16_t modifiers) {
    return grabKey(x11::positionsOf(mapping(), static_cast<std::uint32_t>(letter)).at(0).keycode, modifiers);
  }
  // Whether the key with the modifiers is free: grabbed and let go again.
  bool isFree(xcb_keycode_t keycode, std::uint16_t modifiers) {
    if (!grabKey(keycode, modifiers)) return false;
    xcb_ungrab_key(connection_, keycode, root_, modifiers);
    xcb_flush(connection_);
    return true;
  }

  x11::KeyboardMapping mapping() {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    auto* reply = xcb_get_keyboard_mapping_reply(
        connection_,
        xcb_get_keyboard_mapping(connection_, setup->min_keycode, setup->max_keycode - setup->min_keycode + 1),
        nullptr);
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply);
    x11::KeyboardMapping result{setup->min_keycode, reply->keysyms_per_keycode,
                                {keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(reply)}};
    std::free(reply);
    return result;
  }
  // Makes the key type the keysyms, as a keyboard layout tool would.
  void mapKey(xcb_keycode_t keycode, const std::vector<xcb_keysym_t>& keysyms) {
    std::free(xcb_request_check(connection_, xcb_change_keyboard_mapping_checked(
                                                  connection_, 1, keycode, keysyms.size(), keysyms.data())));
  }

 private:
  bool grabKey(xcb_keycode_t keycode, std::uint16_t modifiers) {
    xcb_generic_error_t* error = xcb_request_check(
        connection_,
        xcb_grab_key_checked(connection_, 1, root_, modifiers, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    std::free(error);
    return error == nullptr;
  }

  xcb_connection_t* connection_;
  xcb_window_t root_;
};

constexpr std::uint16_t kCtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

// The program's shortcuts over a settings file of its own, as the program
// has them: the recorder writes the store, and the binder follows.
class X11KeyGrabTest : public ::testing::Test {
 protected:
  void record(const std::string& key, const std::string& text) { store.setObject(key, Value(text)); }
  void clear(const std::string& key) { store.removeObjectForKey(key); }
  std::function<void()> counts(int& presses) {
    return [&presses] { ++presses; };
  }

  testing::TemporaryDirectory directory;
  PlistDefaultsStore store{directory / "defaults.plist"};
  std::ostringstream errors;
  std::unique_ptr<GlobalShortcuts> shortcuts = std::make_unique<GlobalShortcuts>(store, GlobalShortcuts::Keyboard::Watch, errors);
};

TEST_F(X11KeyGrabTest, PressedCombinationRunsTheActionOncePerPress) {
  ASSERT_TRUE(shortcuts->watchesKeyboard());
  int presses = 0, markers = 0;
  record("ash1", "Ctrl+Alt+K");
  record("ash2", "Ctrl+Alt+L");
  shortcuts->binder().bindShortcutWithDefaultsKey("ash1", counts(presses));
  shortcuts->binder().bindShortcutWithDefaultsKey("ash2", counts(markers));
  xdotool({"key", "ctrl+alt+k"});
  EXPECT_TRUE(eventually([&] { return presses == 1; }));
  // Held long enough for the server to repeat it, then a marker: presses
  // arrive in order, so every repeat came before the marker's.
  xdotool({"keydown", "ctrl+alt+k", "sleep", "1", "keyup", "ctrl+alt+k", "key", "ctrl+alt+l"});
  ASSERT_TRUE(eventually([&] { return markers == 1; }));
  EXPECT_EQ(presses, 2);
  EXPECT_EQ(errors.str(), "");
}

TEST_F(X11KeyGrabTest, CombinationWorksWithNumLockAndCapsLockOn) {
  int presses = 0;
  record("ash1", "Ctrl+Alt+K");
  shortcuts->binder().bindShortcutWithDefaultsKey("ash1", counts(presses));
  xdotool({"key", "Num_Lock"});
  xdotool({"key", "ctrl+alt+k"});
  EXPECT_TRUE(eventually([&] { return presses == 1; }));
  xdotool({"key", "Caps_Lock"});
  xdotool({"key", "ctrl+alt+k"});
  EXPECT_TRUE(eventually([&] { return presses == 2; }));
  xdotool({"key", "Num_Lock"});
  xdotool({"key", "ctrl+alt+k"});
  EXPECT_TRUE(eventually([&] { return presses == 3; }));
  xdotool({"key", "Caps_Lock"});
}

TEST_F(X11KeyGrabTest, CombinationHeldByAnotherProgramIsReportedAndKeptVisible) {
  OtherClient other;
  ASSERT_TRUE(other.grab('j', kCtrlAlt));
  int presses = 0;
  record("ash1", "Ctrl+Alt+J");
  record("ash2", "Ctrl+Alt+J");
  shortcuts->binder().bindShortcutWithDefaultsKey("ash1", counts(presses));
  shortcuts->binder().bindShortcutWithDefaultsKey("ash2", counts(presses));
  EXPECT_TRUE(shortcuts->binder().isTakenByAnotherProgram("ash1"));
  EXPECT_TRUE(shortcuts->binder().isTakenByAnotherProgram("ash2"));
  EXPECT_EQ(errors.str(), "wendaro: Ctrl+Alt+J is already taken by another program\n");
}

TEST_F(X11KeyGrabTest, GrabIsHeldWhileBoundAndLetGoWhenClearedOrBroken) {
  int presses = 0;
  record("ash1", "Ctrl+Alt+K");
  shortcuts->binder().bindShortcutWithDefaultsKey("ash1", counts(presses));
  {
    // Ours, in every lock variant: NumLock is Mod2 on this server.
    OtherClient other;
    EXPECT_FALSE(other.grab('k', kCtrlAlt));
    EXPECT_FALSE(other.grab('k', kCtrlAlt | XCB_MOD_MASK_LOCK));
    EXPECT_FALSE(other.grab('k', kCtrlAlt | XCB_MOD_MASK_2));
    EXPECT_FALSE(other.grab('k', kCtrlAlt | XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK));
  }
  clear("ash1");
  {
    OtherClient other;
    EXPECT_TRUE(other.grab('k', kCtrlAlt));
    EXPECT_TRUE(other.grab('k', kCtrlAlt | XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK));
  }
  record("ash1", "Ctrl+Alt+K");
  shortcuts->binder().breakBindingWithDefaultsKey("ash1");
  {
    OtherClient other;
    EXPECT_TRUE(other.grab('k', kCtrlAlt));
  }
}

TEST_F(X11KeyGrabTest, CombinationWorksWhileOurOwnWindowHoldsTheKeyboard) {
  // As while one of our menus is open: the press goes to that window, not
  // to the grab on the root window.
  int presses = 0;
  record("WendaroMenu", "Ctrl+Alt+M");
  shortcuts->binder().bindShortcutWithDefaultsKey("WendaroMenu", counts(presses));
  QWindow window;
  window.setGeometry(10, 10, 100, 100);
  window.show();
  ASSERT_TRUE(eventually([&] { return window.isExposed(); }));
  ASSERT_TRUE(window.setKeyboardGrabEnabled(true));
  xdotool({"key", "ctrl+alt+m"});
  EXPECT_TRUE(eventually([&] { return presses == 1; }));
  window.setKeyboardGrabEnabled(false);
}

TEST_F(X11KeyGrabTest, APressWhoseReleaseGoesElsewhereLeavesTheNextPressWorking) {
  // As when the menu toggle closes the menu that held the keyboard: the key
  // is let go after our grab of the keyboard ended, so we never see it.
  int presses = 0;
  QWindow window;
  window.setGeometry(10, 10, 100, 100);
  window.show();
  ASSERT_TRUE(eventually([&] { return window.isExposed(); }));
  record("WendaroMenu", "Ctrl+Alt+M");
  shortcuts->binder().bindShortcutWithDefaultsKey("WendaroMenu", [&] {
    ++presses;
    window.setKeyboardGrabEnabled(false);
  });
  ASSERT_TRUE(window.setKeyboardGrabEnabled(true));
  xdotool({"keydown", "ctrl+alt+m"});
  ASSERT_TRUE(eventually([&] { return presses == 1; }));
  xdotool({"keyup", "ctrl+alt+m"});
  xdotool({"key", "ctrl+alt+m"});
  EXPECT_TRUE(eventually([&] { return presses == 2; }));
}

TEST_F(X11KeyGrabTest, GrabsFollowTheKeyboardMapping) {
  int presses = 0;
  record("ash1", "Ctrl+Alt+K");
  shortcuts->binder().bindShortcutWithDefaultsKey("ash1", counts(presses));
  OtherClient other;
  const x11::KeyboardMapping layout = other.mapping();
  const std::size_t width = layout.keysymsPerKeycode;
  const xcb_keycode_t letterKey = x11::positionsOf(layout, 'k').at(0).keycode;
  // A key that types nothing.
  xcb_keycode_t spareKey = 0;
  for (std::size_t key = 0; key * width < layout.keysyms.size() && !spareKey; ++key) {
    const auto row = layout.keysyms.begin() + key * width;
    if (std::all_of(row, row + width, [](std::uint32_t keysym) { return keysym == 0; })) {
      spareKey = static_cast<xcb_keycode_t>(layout.minKeycode + key);
    }
  }
  ASSERT_NE(spareKey, 0);
  const std::vector<xcb_keysym_t> letterRow(layout.keysyms.begin() + (letterKey - layout.minKeycode) * width,
                                            layout.keysyms.begin() + (letterKey - layout.minKeycode + 1) * width);
  const std::vector<xcb_keysym_t> nothing(width, 0);

  // K moves to the spare key: the grab moves with it.
  other.mapKey(spareKey, letterRow);
  other.mapKey(letterKey, nothing);
  EXPECT_TRUE(eventually([&] { return !other.isFree(spareKey, kCtrlAlt) && other.isFree(letterKey, kCtrlAlt); }));
  xdotool({"key", "ctrl+alt+k"});
  EXPECT_TRUE(eventually([&] { return presses == 1; }));

  other.mapKey(letterKey, letterRow);
  other.mapKey(spareKey, nothing);
  EXPECT_TRUE(eventually([&] { return !other.isFree(letterKey, kCtrlAlt) && other.isFree(spareKey, kCtrlAlt); }));
}

TEST_F(X11KeyGrabTest, ProgramThatEndsLetsGoOfItsGrabs) {
  int presses = 0;
  record("ash1", "Ctrl+Alt+K");
  shortcuts->binder().bindShortcutWithDefaultsKey("ash1", counts(presses));
  shortcuts.reset();
  OtherClient other;
  EXPECT_TRUE(other.grab('k', kCtrlAlt));
}

TEST_F(X11KeyGrabTest, KeyThatCannotBeGrabbedIsSaidOnce) {
  int presses = 0;
  record("ash1", "Ctrl+Calculator");
  record("ash2", "Ctrl+Calculator");
  shortcuts->binder().bindShortcutWithDefaultsKey("ash1", counts(presses));
  shortcuts->binder().bindShortcutWithDefaultsKey("ash2", counts(presses));
  EXPECT_FALSE(shortcuts->binder().isTakenByAnotherProgram("ash1"));
  EXPECT_EQ(errors.str(), "wendaro: Ctrl+Calculator cannot be used as a global shortcut on this keyboard\n");
}

// X grabs on a Wayland desktop's XWayland never see other programs' keys.
TEST(X11KeyGrabberTest, NoneOnAWaylandDesktopEvenUnderX) {
  struct Case {
    const char* variable;
    const char* value;
    bool grabs;
  };
  for (const Case& c : {Case{"WAYLAND_DISPLAY", "wayland-0", false}, Case{"XDG_SESSION_TYPE", "wayland", false},
                        Case{"WAYLAND_DISPLAY", "", true}, Case{"XDG_SESSION_TYPE", "x11", true}}) {
    qputenv(c.variable, c.value);
    EXPECT_EQ(x11::makeX11KeyGrabber({}) != nullptr, c.grabs) << c.variable << "=" << c.value;
    qunsetenv(c.variable);
  }
}

}  // namespace
}  // namespace wendaro

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  qunsetenv("WAYLAND_DISPLAY");
  qunsetenv("XDG_SESSION_TYPE");
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
