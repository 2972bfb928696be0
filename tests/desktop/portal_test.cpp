// Global shortcuts through the desktop's portal: fake_portal.py on the test's own session bus.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QTest>
#include <sstream>

#include "desktop/qt/global_shortcuts.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

class PortalTest : public ::testing::Test {
 protected:
  // The program's session goes first, then the portal, which is waited for.
  ~PortalTest() override {
    shortcuts.reset();
    portal.terminate();
    portal.waitForFinished();
  }
  void start(const QStringList& arguments = {}) {
    portal.start(QStringLiteral(FAKE_PORTAL), arguments);
    ASSERT_TRUE(portal.waitForReadyRead(10000)) << portal.readAllStandardError().toStdString();
    shortcuts = std::make_unique<GlobalShortcuts>(store, GlobalShortcuts::Keyboard::Watch, errors);
    ASSERT_TRUE(shortcuts->watchesKeyboard());
    shortcuts->setTitleSource([](const std::string& key) { return key == "ash1" ? "Ledger" : "Wendaro's Menu"; });
    shortcuts->binder().bindShortcutWithDefaultsKey("ash1", [&] { ++ledger; });
  }
  QDBusMessage control(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.portal.Desktop", "/org/wendaro/test",
                                                       "org.wendaro.test.FakePortal", method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
  }
  // The portal's calls from the given one on, each as "Method" and what it bound.
  QString calls(qsizetype from = 0) {
    return control("Calls").arguments().value(0).toString().split('\n').mid(from).join('\n');
  }
  bool heard(DesktopTrigger::State state, const std::string& keys = "") {
    return QTest::qWaitFor([&] { return shortcuts->binder().desktopTrigger("ash1") == DesktopTrigger{state, keys}; });
  }
  bool activated(const QString& id, int& count, int expected, int wait = 5000) {
    control("Activate", {id});
    return QTest::qWaitFor([&] { return count == expected; }, wait);
  }

  testing::TemporaryDirectory directory;
  PlistDefaultsStore store{directory / "defaults.plist"};
  std::ostringstream errors;
  QProcess portal;
  std::unique_ptr<GlobalShortcuts> shortcuts;
  int menu = 0;
  int ledger = 0;
};

// One session binds the stored shortcuts; a change closes it and binds the
// new set in a new one, after the editor's recording; a binding broken while
// the menu is open, or let go while the editor records, stays in the
// desktop's set, unheard. A session the desktop closes is followed by a new one.
TEST_F(PortalTest, BindsTheStoredShortcutsInOneSessionAndAgainWhenTheyChange) {
  store.setObject("WendaroMenu", Value("Ctrl+Alt+K"));
  store.setObject("ash1", Value("Meta+F5"));
  start();
  shortcuts->binder().bindShortcutWithDefaultsKey("WendaroMenu", [&] { ++menu; });
  const QString both =
      "CreateSession\nBindShortcuts [Meta+F%1: Ledger, LOGO+F%1] [Ctrl+Alt+K: Wendaro's Menu, CTRL+ALT+k]";
  EXPECT_TRUE(heard(DesktopTrigger::State::Assigned, "LOGO+F5"));
  EXPECT_EQ(calls(), both.arg(5));
  EXPECT_TRUE(activated("Meta+F5", ledger, 1));
  shortcuts->binder().breakBindingWithDefaultsKey("WendaroMenu");
  EXPECT_FALSE(activated("Ctrl+Alt+K", menu, 1, 300));
  shortcuts->binder().bindShortcutWithDefaultsKey("WendaroMenu", [&] { ++menu; });
  EXPECT_TRUE(activated("Ctrl+Alt+K", menu, 1));

  shortcuts->binder().setRecording(true);
  EXPECT_FALSE(activated("Meta+F5", ledger, 2, 300));
  store.setObject("favorites", Value("/A/Ledger.app"));
  store.setObject("ash1", Value("Meta+F6"));
  QTest::qWait(200);
  EXPECT_EQ(calls(), both.arg(5)) << "nothing bound again while the editor records";
  shortcuts->binder().setRecording(false);
  EXPECT_TRUE(heard(DesktopTrigger::State::Assigned, "LOGO+F6"));
  EXPECT_EQ(calls(2), "Close\n" + both.arg(6));
  EXPECT_FALSE(activated("Meta+F5", ledger, 2, 300)) << "the old combination is gone";
  EXPECT_TRUE(activated("Meta+F6", ledger, 2));

  control("CloseSession");
  EXPECT_TRUE(QTest::qWaitFor([&] { return calls(5) == both.arg(6); })) << calls().toStdString();
  // Shortcuts are heard only once the program has the portal's answer, which follows the call.
  EXPECT_TRUE(heard(DesktopTrigger::State::Assigned, "LOGO+F6"));
  EXPECT_TRUE(activated("Meta+F6", ledger, 3));
  store.removeObjectForKey("ash1");
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return calls().endsWith("\nBindShortcuts [Ctrl+Alt+K: Wendaro's Menu, CTRL+ALT+k]"); }));
  EXPECT_EQ(errors.str(), "");
}

TEST_F(PortalTest, APortalThatRefusesIsToldOnceAndAskedAgainOnlyForOtherShortcuts) {
  store.setObject("ash1", Value("Meta+F5"));
  start({"--refuse"});
  EXPECT_TRUE(heard(DesktopTrigger::State::Refused));
  EXPECT_EQ(calls(), "CreateSession") << "no asking again and again";
  EXPECT_TRUE(shortcuts->binder().offersGlobalShortcuts());
  control("Refuse", {false});
  store.setObject("ash1", Value("Meta+F6"));
  EXPECT_TRUE(heard(DesktopTrigger::State::Assigned, "LOGO+F6")) << calls().toStdString();
  EXPECT_TRUE(activated("Meta+F6", ledger, 1));
  EXPECT_EQ(errors.str(), "wendaro: the desktop refused the global shortcuts (it answered 1)\n");
}

}  // namespace
}  // namespace wendaro
