// Global shortcuts through the desktop's GlobalShortcuts portal, against the
// fake portal of fake_portal.py on a private session bus (the test runs in
// its own dbus-run-session, on Qt's offscreen platform, where there are no
// key grabs).
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <sstream>

#include "desktop/portal/preferred_trigger.h"
#include "desktop/qt/global_shortcuts.h"
#include "desktop/qt/shortcut_text.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

TEST(PreferredTriggerTest, SpellsCombinationsAsThePortalsDo) {
  const std::pair<const char*, const char*> cases[] = {
      {"Ctrl+Alt+K", "CTRL+ALT+k"},      {"Meta+F5", "LOGO+F5"},        {"Ctrl+Space", "CTRL+space"},
      {"Ctrl+Shift+1", "CTRL+SHIFT+1"},  {"Alt+PgUp", "ALT+Prior"},      {"Ctrl+,", "CTRL+comma"},
      {"Meta+Return", "LOGO+Return"},    {"Ctrl+Alt+Del", "CTRL+ALT+Delete"},
  };
  for (const auto& [stored, trigger] : cases) {
    EXPECT_EQ(portal::preferredTrigger(*parseShortcutText(stored)), trigger) << stored;
  }
}

class PortalTest : public ::testing::Test {
 protected:
  void startPortal(const QStringList& arguments = {}) {
    portal.start(QStringLiteral(FAKE_PORTAL), arguments);
    ASSERT_TRUE(portal.waitForReadyRead(10000)) << portal.readAllStandardError().toStdString();
    ASSERT_EQ(portal.readLine().trimmed(), "ready");
  }
  void TearDown() override {
    portal.kill();
    portal.waitForFinished();
  }

  QDBusMessage control(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.portal.Desktop", "/org/wendaro/test",
                                                       "org.wendaro.test.FakePortal", method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
  }
  // Every call the portal had, each as "Method" followed by what it bound.
  QStringList calls() {
    QStringList said;
    const QJsonArray all = QJsonDocument::fromJson(control("Calls").arguments().value(0).toString().toUtf8()).array();
    for (const QJsonValue& call : all) {
      QString line = call["method"].toString();
      for (const QJsonValue& shortcut : call["shortcuts"].toArray()) {
        const QJsonArray pair = shortcut.toArray();
        line += QStringLiteral(" [%1: %2, %3]")
                    .arg(pair[0].toString(), pair[1]["description"].toString(),
                         pair[1]["preferred_trigger"].toString());
      }
      said << line;
    }
    return said;
  }
  void activate(const QString& id) { control("Activate", {id}); }
  // Waits for the program to hear the desktop's keys for the key's shortcut.
  static bool assigned(const GlobalShortcutBinder& binder, const std::string& key, const std::string& keys) {
    const DesktopTrigger wanted{DesktopTrigger::State::Assigned, keys};
    return QTest::qWaitFor([&] { return binder.desktopTrigger(key) == wanted; });
  }
  // Lets the program hear what is on the bus.
  static void settle() { QTest::qWait(200); }

  testing::TemporaryDirectory directory;
  PlistDefaultsStore store{directory / "defaults.plist"};
  std::ostringstream errors;
  QProcess portal;
};

TEST_F(PortalTest, BindsTheStoredShortcutsInOneSessionAndBindsAgainWhenTheyChange) {
  startPortal();
  store.setObject("WendaroMenu", Value("Ctrl+Alt+K"));
  store.setObject("ash1", Value("Meta+F5"));
  GlobalShortcuts shortcuts(store, GlobalShortcuts::Keyboard::Watch, errors);
  ASSERT_TRUE(shortcuts.watchesKeyboard());
  shortcuts.setTitleSource([](const std::string& key) { return key == "ash1" ? "Mail" : "Wendaro's Menu"; });
  GlobalShortcutBinder& binder = shortcuts.binder();
  int menu = 0;
  int mail = 0;
  binder.bindShortcutWithDefaultsKey("WendaroMenu", [&] { ++menu; });
  binder.bindShortcutWithDefaultsKey("ash1", [&] { ++mail; });

  const QString first = "Register\nCreateSession\n"
                        "BindShortcuts [Meta+F5: Mail, LOGO+F5] [Ctrl+Alt+K: Wendaro's Menu, CTRL+ALT+k]";
  EXPECT_TRUE(QTest::qWaitFor([&] { return calls().size() == 3; }));
  EXPECT_EQ(calls().join('\n'), first);
  EXPECT_TRUE(assigned(binder, "ash1", "LOGO+F5"));

  activate("Meta+F5");
  EXPECT_TRUE(QTest::qWaitFor([&] { return mail == 1; }));

  // The main menu's shortcut breaks its binding while the menu is open: it
  // stays in the desktop's set, unheard, and no new session is made.
  binder.breakBindingWithDefaultsKey("WendaroMenu");
  activate("Ctrl+Alt+K");
  settle();
  EXPECT_EQ(menu, 0);
  binder.bindShortcutWithDefaultsKey("WendaroMenu", [&] { ++menu; });
  activate("Ctrl+Alt+K");
  EXPECT_TRUE(QTest::qWaitFor([&] { return menu == 1; }));
  EXPECT_EQ(calls().join('\n'), first);

  // While the editor records, the set stays bound: neither another setting
  // nor a shortcut recorded meanwhile makes a new session before it ends.
  binder.setRecording(true);
  store.setObject("favorites", Value("/A/Mail.app"));
  store.setObject("ash1", Value("Meta+F6"));
  settle();
  EXPECT_EQ(calls().join('\n'), first);

  // Then the changed shortcut: the old session closes and a new one binds
  // the new set.
  binder.setRecording(false);
  EXPECT_TRUE(QTest::qWaitFor([&] { return calls().size() == 6; })) << calls().join('\n').toStdString();
  EXPECT_EQ(calls().mid(3).join('\n'),
            "Close\nCreateSession\nBindShortcuts [Meta+F6: Mail, LOGO+F6] [Ctrl+Alt+K: Wendaro's Menu, CTRL+ALT+k]");
  EXPECT_TRUE(assigned(binder, "ash1", "LOGO+F6"));
  activate("Meta+F5");
  activate("Meta+F6");
  EXPECT_TRUE(QTest::qWaitFor([&] { return mail == 2; }));
  settle();
  EXPECT_EQ(mail, 2) << "the old combination is gone";

  // A session the desktop closes is followed by a new one.
  control("CloseSession");
  EXPECT_TRUE(QTest::qWaitFor([&] { return calls().size() == 8; })) << calls().join('\n').toStdString();
  EXPECT_EQ(calls().mid(6).join('\n'),
            "CreateSession\nBindShortcuts [Meta+F6: Mail, LOGO+F6] [Ctrl+Alt+K: Wendaro's Menu, CTRL+ALT+k]");
  EXPECT_TRUE(assigned(binder, "ash1", "LOGO+F6"));
  activate("Meta+F6");
  EXPECT_TRUE(QTest::qWaitFor([&] { return mail == 3; }));

  // A cleared one leaves the set the same way.
  store.removeObjectForKey("ash1");
  EXPECT_TRUE(QTest::qWaitFor([&] { return calls().size() == 11; })) << calls().join('\n').toStdString();
  EXPECT_EQ(calls().last(), "BindShortcuts [Ctrl+Alt+K: Wendaro's Menu, CTRL+ALT+k]");
  EXPECT_EQ(errors.str(), "");
}

TEST_F(PortalTest, APortalThatRefusesIsToldOnceAndAskedAgainOnlyForOtherShortcuts) {
  startPortal({"--refuse"});
  store.setObject("ash1", Value("Meta+F5"));
  GlobalShortcuts shortcuts(store, GlobalShortcuts::Keyboard::Watch, errors);
  GlobalShortcutBinder& binder = shortcuts.binder();
  int mail = 0;
  binder.bindShortcutWithDefaultsKey("ash1", [&] { ++mail; });
  EXPECT_TRUE(QTest::qWaitFor([&] { return binder.desktopTrigger("ash1").has_value() &&
                                           binder.desktopTrigger("ash1")->state == DesktopTrigger::State::Refused; }));
  settle();
  EXPECT_EQ(calls().join('\n'), "Register\nCreateSession") << "no asking again and again";
  EXPECT_EQ(errors.str(), "wendaro: the desktop refused the global shortcuts (it answered 1)\n");
  EXPECT_TRUE(binder.offersGlobalShortcuts());

  control("Refuse", {false});
  store.setObject("ash1", Value("Meta+F6"));
  EXPECT_TRUE(assigned(binder, "ash1", "LOGO+F6")) << calls().join('\n').toStdString();
  activate("Meta+F6");
  EXPECT_TRUE(QTest::qWaitFor([&] { return mail == 1; }));
  EXPECT_EQ(errors.str(), "wendaro: the desktop refused the global shortcuts (it answered 1)\n");
}

}  // namespace
}  // namespace wendaro
