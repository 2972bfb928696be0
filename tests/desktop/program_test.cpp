// The wendaro program itself, run as a user runs it, on the offscreen
// platform or without any display.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "core/menu_contents.h"

namespace wendaro {
namespace {

class ProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.isValid());
    for (const char* app : {"apps/Alpha.app", "apps/Beta.app", "config/wendaro"}) ASSERT_TRUE(QDir(home.path()).mkpath(app));
  }

  QString path(const QString& name) const { return home.filePath(name); }
  QString storePath() const { return path("config/wendaro/defaults.plist"); }

  void writeStore(const QString& body) {
    QFile store(storePath());
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" + body +
                 "</dict>\n</plist>\n")
                    .toUtf8());
  }
  QString storeText() const {
    QFile store(storePath());
    return store.open(QIODevice::ReadOnly) ? QString::fromUtf8(store.readAll()) : QString();
  }

  // A user's session: its own home and settings, no display and no bus.
  void prepare(QProcess& process, bool offscreen) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", path("home"));
    environment.insert("XDG_CONFIG_HOME", path("config"));
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"}) {
      environment.remove(name);
    }
    if (offscreen) environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    process.setProcessEnvironment(environment);
    process.setProgram(WENDARO_PROGRAM);
  }

  struct Run {
    int status = -1;
    QString out;
    QString err;
  };
  Run run(const QStringList& arguments) const {
    QProcess process;
    prepare(process, false);
    process.setArguments(arguments);
    process.start();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
  }

  QTemporaryDir home;
};

TEST_F(ProgramTest, PrintMenuStartsUpWithoutADisplayAndPrintsTheMainMenu) {
  const QString apps = path("apps");
  writeStore("<key>directories</key><array><string>" + apps + "</string></array>\n" +
             "<key>favorites</key><array><string>" + apps + "/Alpha.app</string><string>" + apps +
             "/Gone.app</string></array>\n" +
             "<key>categories</key><array><string>Work &amp; Play</string></array>\n" +
             "<key>categoriesApps</key><dict><key>Work &amp; Play</key><array><string>" + apps +
             "/Beta.app</string></array></dict>\n" +
             "<key>shortcutsIndex</key><dict><key>" + apps + "/Alpha.app</key><string>ash1</string></dict>\n" +
             "<key>ash1</key><string>Ctrl+Alt+K</string>\n");

  const Run printed = run({"--print-menu"});
  EXPECT_EQ(printed.status, 0) << printed.err.toStdString();
  EXPECT_EQ(printed.out.toStdString(),
            "Alpha\tCtrl+Alt+K\n"
            "---\n"
            "Work & Play\n"
            "  Beta\n"
            "  ---\n"
            "  Launch All\n"
            "  Manage\n"
            "All Apps\n"
            "  Alpha\tCtrl+Alt+K\n"
            "  Beta\n" +
                testing_support::kMainMenuEnd);
  // Start-up saved what it saves: the favourites without the app that is gone.
  EXPECT_FALSE(storeText().contains("Gone.app"));
  EXPECT_TRUE(storeText().contains("<key>menubar</key>"));
}

TEST_F(ProgramTest, ASecondCopyIsRefusedWhileTheTrayRuns) {
  QProcess tray;
  prepare(tray, true);
  tray.start();
  ASSERT_TRUE(tray.waitForStarted());
  // Its start-up ends its writes to the settings file with the categories'
  // members.
  QDeadlineTimer deadline(30000);
  while (!storeText().contains("categoriesApps") && !deadline.hasExpired()) QThread::msleep(50);
  ASSERT_TRUE(storeText().contains("categoriesApps")) << tray.readAllStandardError().toStdString();
  const QString settingsBefore = storeText();

  for (const QStringList& arguments : {QStringList{}, QStringList{"--print-menu"}}) {
    const Run second = run(arguments);
    EXPECT_EQ(second.status, 1) << arguments.join(' ').toStdString() << ": " << second.err.toStdString();
    EXPECT_TRUE(second.err.contains("already running")) << second.err.toStdString();
    EXPECT_TRUE(second.out.isEmpty());
  }
  EXPECT_EQ(storeText(), settingsBefore) << "the refused copies wrote nothing";
  EXPECT_EQ(tray.state(), QProcess::Running);
  tray.terminate();
  tray.waitForFinished(10000);

  EXPECT_EQ(run({"--print-menu"}).status, 0) << "once the tray has ended, the settings are free again";
}

TEST_F(ProgramTest, AnUnusableSettingsFileIsSetAsideAndTheProgramStartsOnTheDefaults) {
  QFile store(storePath());
  ASSERT_TRUE(store.open(QIODevice::WriteOnly));
  store.write("<plist><dict><key>favorites</key><array><string>/A.app</array></dict>");
  store.close();

  const Run started = run({"--print-menu"});
  EXPECT_EQ(started.status, 0) << started.err.toStdString();
  EXPECT_TRUE(started.err.contains("cannot be used")) << started.err.toStdString();
  EXPECT_TRUE(started.out.contains("No apps found in chosen Directories")) << "the default directories are walked";
  const QStringList aside = QDir(path("config/wendaro")).entryList({"defaults.plist.corrupt-*"});
  ASSERT_EQ(aside.size(), 1);
  QFile kept(path("config/wendaro/" + aside.front()));
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_TRUE(kept.readAll().contains("/A.app")) << "the unusable file is kept as it was";
  EXPECT_TRUE(storeText().contains("<key>favorites</key>")) << "start-up wrote a fresh settings file";
}

}  // namespace
}  // namespace wendaro
