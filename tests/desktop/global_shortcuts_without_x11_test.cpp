// Global shortcuts in a session without an X server.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <sstream>

#include "desktop/temporary_directory.h"
#include "desktop/x11/global_shortcuts.h"

namespace wendaro {
namespace {

TEST(GlobalShortcutsWithoutX11, SaysOnceThatThereAreNoneAndOtherwiseWorks) {
  testing::TemporaryDirectory directory;
  PlistDefaultsStore store(directory / "defaults.plist");
  store.setObject("ash1", Value("Ctrl+Alt+K"));
  std::ostringstream errors;
  GlobalShortcuts shortcuts(store, errors);
  EXPECT_FALSE(shortcuts.available());
  shortcuts.binder().bindShortcutWithDefaultsKey("WendaroMenu", [] {});
  shortcuts.binder().bindShortcutWithDefaultsKey("ash1", [] {});
  store.setObject("WendaroMenu", Value("Ctrl+Alt+M"));
  shortcuts.binder().breakBindingWithDefaultsKey("WendaroMenu");
  EXPECT_FALSE(shortcuts.binder().isTakenByAnotherProgram("ash1"));
  EXPECT_EQ(errors.str(), "wendaro: global shortcuts are not available in this session\n");
}

}  // namespace
}  // namespace wendaro

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
