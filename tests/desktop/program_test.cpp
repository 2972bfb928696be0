// The wendaro program itself, run as a user runs it, on the offscreen
// platform or without any display.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "commands/command_constants.h"
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
    // No system-wide apps: the default directories are all in the home.
    environment.insert("XDG_DATA_DIRS", path("data"));
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
  // Through the shell when the arguments end in a redirection ("wendaro
  // --help >&-"). As an ordinary user, whom file modes stop, even when the
  // tests run as root.
  Run run(const QStringList& arguments, const QString& redirection = {}, bool asOrdinaryUser = false) const {
    QProcess process;
    prepare(process, false);
    QStringList command = arguments;
    if (!redirection.isEmpty()) {
      command = QStringList{"-c", "exec \"$0\" \"$@\" " + redirection, process.program()} + command;
      process.setProgram("/bin/sh");
    }
    if (asOrdinaryUser && ::geteuid() == 0) {
      command = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", process.program()} + command;
      process.setProgram("setpriv");
    }
    process.setArguments(command);
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

// Unreadable for the user is not missing: such a file is kept, never
// written over.
TEST_F(ProgramTest, AnUnusableSettingsFileIsSetAsideAndTheProgramStartsOnTheDefaults) {
  const struct {
    const char* name;
    QByteArray contents;
    mode_t mode;
  } cases[] = {
      {"torn", "<plist><dict><key>favorites</key><array><string>/A.app</array></dict>", 0600},
      {"unreadable", "<plist><dict><key>favorites</key><array><string>/A.app</string></array></dict></plist>", 0},
  };
  // The ordinary user works in the settings folder.
  for (const QString& folder : {home.path(), path("config")}) ASSERT_EQ(::chmod(folder.toUtf8().constData(), 0755), 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QDir settings(path("config/wendaro"));
    ASSERT_TRUE(settings.removeRecursively() && settings.mkpath("."));
    ASSERT_EQ(::chmod(settings.path().toUtf8().constData(), 0777), 0);
    QFile store(storePath());
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(c.contents);
    store.close();
    ASSERT_EQ(::chmod(storePath().toUtf8().constData(), c.mode), 0);

    const Run started = run({"--print-menu"}, {}, true);
    EXPECT_EQ(started.status, 0) << started.err.toStdString();
    EXPECT_TRUE(started.err.contains("cannot be used")) << started.err.toStdString();
    EXPECT_TRUE(started.out.contains("No apps found in chosen Directories")) << "the default directories are walked";
    const QStringList aside = settings.entryList({"defaults.plist.corrupt-*"});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(settings.filePath(aside.front()));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), c.contents) << "the unusable file is kept as it was";
    EXPECT_TRUE(storeText().contains("<key>favorites</key>")) << "start-up wrote a fresh settings file";
  }
}

// --print-menu starts up as the tray does, but the login item stays as the
// user has it whatever the settings say, and standard output holds the menu
// alone.
TEST_F(ProgramTest, PrintMenuLeavesTheLoginItemAlone) {
  const QString autostart = path("config/autostart");
  const QString entry = autostart + "/" + kLoginItemIdentifier + ".desktop";
  auto autostartState = [&] {
    QFileInfo info(autostart);
    if (!info.exists()) return QString("nothing");
    QFile file(autostart);
    if (info.isFile()) return "a file: " + QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.readAll() : "");
    QString state = "a folder:";
    for (const QString& name : QDir(autostart).entryList(QDir::Files | QDir::Hidden)) {
      QFile inside(autostart + "/" + name);
      state += " " + name + "=" + QString::fromUtf8(inside.open(QIODevice::ReadOnly) ? inside.readAll() : "");
    }
    return state;
  };
  const Run plain = run({"--print-menu"});
  ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
  ASSERT_EQ(autostartState(), "nothing");

  const struct {
    const char* name;
    const char* launchAtStartup;
    std::function<void()> prepare;
  } cases[] = {
      {"the user's own entry, the setting off", "<false/>",
       [&] {
         QDir().mkpath(autostart);
         QFile own(entry);
         ASSERT_TRUE(own.open(QIODevice::WriteOnly));
         own.write("[Desktop Entry]\nType=Application\nName=Mine\nExec=true\n");
       }},
      {"no entry, the setting on", "<true/>", [] {}},
      {"no folder that can hold one, the setting on", "<true/>",
       [&] {
         QFile blocking(autostart);
         ASSERT_TRUE(blocking.open(QIODevice::WriteOnly));
         blocking.write("not a folder");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(autostart);
    QDir(autostart).removeRecursively();
    c.prepare();
    writeStore(QString("<key>launchAtStartup</key>") + c.launchAtStartup + "\n");
    const QString before = autostartState();
    const Run printed = run({"--print-menu"});
    EXPECT_EQ(printed.status, 0) << printed.err.toStdString();
    EXPECT_EQ(autostartState(), before);
    EXPECT_EQ(printed.out, plain.out);
  }
}

// A standard stream the caller closed is never taken by a file the program
// opens (the menu written into the settings lock); writing to it, or to a
// full disk, fails the command.
TEST_F(ProgramTest, OutputThatCannotBeWrittenFailsTheCommand) {
  const QString lock = path("config/wendaro/wendaro.lock");
  for (const QString& redirection : {QString(">&-"), QString(">/dev/full")}) {
    for (const QStringList& arguments :
         {QStringList{"--print-menu"}, QStringList{"--list-apps", path("apps")}, QStringList{"--help"},
          QStringList{"--version"}}) {
      SCOPED_TRACE((arguments.join(' ') + " " + redirection).toStdString());
      const Run failed = run(arguments, redirection);
      EXPECT_EQ(failed.status, 1) << failed.err.toStdString();
      EXPECT_TRUE(failed.err.contains("cannot write")) << failed.err.toStdString();
      QFile lockFile(lock);
      if (lockFile.open(QIODevice::ReadOnly)) {
        EXPECT_TRUE(QString::fromUtf8(lockFile.readAll()).contains(QRegularExpression("^[0-9]+\\n$")))
            << "the lock holds a process id alone";
      }
    }
  }
}

}  // namespace
}  // namespace wendaro
