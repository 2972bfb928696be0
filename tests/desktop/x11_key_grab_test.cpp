// Global shortcuts against a real X server: run by with_xvfb.sh.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWindow>
#include <sstream>

#include "desktop/qt/global_shortcuts.h"
#include "desktop/x11/x11_key_grabber.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

constexpr std::uint16_t kCtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
// The keys that type J and K in Xvfb's keyboard mapping.
constexpr xcb_keycode_t kJ = 44, kK = 45;

bool eventually(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10000); }
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

  // Whether the server lets this client grab the key; let go again unless kept.
  bool grab(xcb_keycode_t key, std::uint16_t modifiers, bool keep = false) {
    xcb_generic_error_t* error = xcb_request_check(
        connection_,
        xcb_grab_key_checked(connection_, 1, root_, modifiers, key, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    std::free(error);
    if (!error && !keep)
      std::free(xcb_request_check(connection_, xcb_ungrab_key_checked(connection_, key, root_, modifiers)));
    return error == nullptr;
  }

 private:
  xcb_connection_t* connection_;
  xcb_window_t root_;
};

// The program's shortcuts over a settings file of its own, as the editor writes it.
class X11KeyGrabTest : public ::testing::Test {
 protected:
  void bind(const std::string& key, const std::string& text) {
    store.setObject(key, Value(text));
    shortcuts->binder().bindShortcutWithDefaultsKey(key, [this, key] { ++presses[key]; });
  }

  testing::TemporaryDirectory directory;
  PlistDefaultsStore store{directory / "defaults.plist"};
  std::ostringstream errors;
  std::unique_ptr<GlobalShortcuts> shortcuts =
      std::make_unique<GlobalShortcuts>(store, GlobalShortcuts::Keyboard::Watch, errors);
  std::map<std::string, int> presses;
  OtherClient other;
};

// One action per press, whatever the lock keys, also for a press the server repeats while
// held, and for one that ends our window's hold of the keyboard, whose release goes elsewhere.
TEST_F(X11KeyGrabTest, APressRunsTheActionOnceWhateverTheLockKeys) {
  ASSERT_TRUE(shortcuts->watchesKeyboard());
  bind("ash1", "Ctrl+Alt+K");
  bind("ash2", "Ctrl+Alt+L");
  int expected = 0;
  for (const char* lock : {"", "Num_Lock", "Caps_Lock", "Num_Lock", "Caps_Lock"}) {
    if (*lock) xdotool({"key", lock});
    xdotool({"key", "ctrl+alt+k"});
    EXPECT_TRUE(eventually([&] { return presses["ash1"] == expected + 1; })) << lock;
    ++expected;
  }
  // Held until the server repeats it, then a marker: every repeat comes before the marker's.
  xdotool({"keydown", "ctrl+alt+k", "sleep", "1", "keyup", "ctrl+alt+k", "key", "ctrl+alt+l"});
  ASSERT_TRUE(eventually([&] { return presses["ash2"] == 1; }));
  EXPECT_EQ(presses["ash1"], expected + 1);
  QWindow window;
  window.setGeometry(10, 10, 100, 100);
  window.show();
  ASSERT_TRUE(eventually([&] { return window.isExposed(); }));
  shortcuts->binder().bindShortcutWithDefaultsKey("ash2", [&] {
    ++presses["ash2"];
    window.setKeyboardGrabEnabled(false);
  });
  ASSERT_TRUE(window.setKeyboardGrabEnabled(true));
  xdotool({"keydown", "ctrl+alt+l"});
  ASSERT_TRUE(eventually([&] { return presses["ash2"] == 2; }));
  xdotool({"keyup", "ctrl+alt+l", "key", "ctrl+alt+l"});
  EXPECT_TRUE(eventually([&] { return presses["ash2"] == 3; }));
  EXPECT_EQ(errors.str(), "");
}

// Held in every lock variant while bound, let go when cleared or when the program
// ends; a combination another program holds, or one this keyboard cannot type, is said once.
TEST_F(X11KeyGrabTest, GrabsAreHeldWhileBoundAndConflictsAreSaid) {
  bind("ash1", "Ctrl+Alt+K");
  for (int locks : {0, int(XCB_MOD_MASK_LOCK), int(XCB_MOD_MASK_2), XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK}) {
    EXPECT_FALSE(other.grab(kK, kCtrlAlt | locks)) << locks;
  }
  store.removeObjectForKey("ash1");
  EXPECT_TRUE(other.grab(kK, kCtrlAlt | XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK));
  bind("ash1", "Ctrl+Alt+K");
  shortcuts.reset();
  EXPECT_TRUE(other.grab(kK, kCtrlAlt));

  shortcuts = std::make_unique<GlobalShortcuts>(store, GlobalShortcuts::Keyboard::Watch, errors);
  ASSERT_TRUE(other.grab(kJ, kCtrlAlt, true));
  for (const char* key : {"ash1", "ash2"}) bind(key, "Ctrl+Alt+J");
  for (const char* key : {"ash3", "ash4"}) bind(key, "Ctrl+Calculator");
  EXPECT_TRUE(shortcuts->binder().isTakenByAnotherProgram("ash2"));
  EXPECT_FALSE(shortcuts->binder().isTakenByAnotherProgram("ash3"));
  EXPECT_EQ(errors.str(),
            "wendaro: Ctrl+Alt+J is already taken by another program\n"
            "wendaro: Ctrl+Calculator cannot be used as a global shortcut on this keyboard\n");
}

// X grabs on a Wayland desktop's XWayland never see other programs' keys.
TEST(X11KeyGrabberTest, NoneOnAWaylandDesktopEvenUnderX) {
  const std::tuple<const char*, const char*, bool> cases[] = {{"WAYLAND_DISPLAY", "wayland-0", false},
                                                              {"XDG_SESSION_TYPE", "wayland", false},
                                                              {"WAYLAND_DISPLAY", "", true},
                                                              {"XDG_SESSION_TYPE", "x11", true}};
  for (const auto& [variable, value, grabs] : cases) {
    qputenv(variable, value);
    EXPECT_EQ(x11::makeX11KeyGrabber({}) != nullptr, grabs) << variable << "=" << value;
    qunsetenv(variable);
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
