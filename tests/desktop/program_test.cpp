// The wendaro program run as a user runs it, without any display, and its
// desktop session in this process.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "commands/command_constants.h"
#include "core/menu_contents.h"
#include "desktop/qt/desktop_session.h"
#include "desktop/store/config_paths.h"
#include "settings/defaults_keys.h"

namespace wendaro {
namespace {

// A user's home with two apps and a settings folder, no display and no bus.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    for (const char* folder : {"apps/Alpha.app", "apps/Beta.app", "config/wendaro"}) QDir(home.path()).mkpath(folder);
  }
  QString path(const QString& name) const { return home.filePath(name); }
  QString settings() const { return path("config/wendaro/defaults.plist"); }
  static QByteArray read(const QString& file) {
    QFile opened(file);
    return opened.open(QIODevice::ReadOnly) ? opened.readAll() : QByteArray();
  }
  static void write(const QString& file, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(file).path());
    QFile opened(file);
    ASSERT_TRUE(opened.open(QIODevice::WriteOnly));
    opened.write(contents);
  }
  void writeSettings(const QString& body) {
    write(settings(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" + body.toUtf8() +
                          "</dict>\n</plist>\n");
  }
  struct Run {
    int status = -1;
    QString out;
    QString err;
  };
  // Through the shell when a redirection is given ("wendaro --help >&-"); as
  // an ordinary user, whom file modes stop, when the tests run as root.
  Run run(QStringList arguments, const QString& redirection = {}, bool asOrdinaryUser = false) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"}) {
      environment.remove(name);
    }
    environment.insert("HOME", path("home"));
    environment.insert("XDG_CONFIG_HOME", path("config"));
    environment.insert("XDG_DATA_DIRS", path("data"));  // no system-wide apps
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    QString program = WENDARO_PROGRAM;
    if (!redirection.isEmpty()) {
      arguments = QStringList{"-c", "exec \"$0\" \"$@\" " + redirection, program} + arguments;
      program = "/bin/sh";
    }
    if (asOrdinaryUser && ::geteuid() == 0) {
      arguments = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + arguments;
      program = "setpriv";
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
  }

  QTemporaryDir home;
};

TEST_F(ProgramTest, PrintMenuStartsUpWithoutADisplayAndPrintsTheMainMenu) {
  const QString apps = path("apps");
  writeSettings("<key>directories</key><array><string>" + apps + "</string></array>\n<key>favorites</key><array>" +
                "<string>" + apps + "/Alpha.app</string><string>" + apps + "/Gone.app</string></array>\n" +
                "<key>categories</key><array><string>Work &amp; Play</string></array>\n" +
                "<key>categoriesApps</key><dict><key>Work &amp; Play</key><array><string>" + apps +
                "/Beta.app</string></array></dict>\n<key>shortcutsIndex</key><dict><key>" + apps +
                "/Alpha.app</key><string>ash1</string></dict>\n<key>ash1</key><string>Ctrl+Alt+K</string>\n");
  const Run printed = run({"--print-menu"});
  EXPECT_EQ(printed.status, 0) << printed.err.toStdString();
  EXPECT_EQ(printed.out.toStdString(), "Alpha\tCtrl+Alt+K\n---\nWork & Play\n  Beta\n  ---\n  Launch All\n  Manage\n" +
                                           ("All Apps\n  Alpha\tCtrl+Alt+K\n  Beta\n" + testing_support::kMainMenuEnd));
  EXPECT_FALSE(read(settings()).contains("Gone.app")) << "start-up saved the favourites without the app that is gone";
}

// Unreadable for the user is not missing: such a file is kept, never
// written over.
TEST_F(ProgramTest, AnUnusableSettingsFileIsSetAsideAndTheProgramStartsOnTheDefaults) {
  const std::pair<QByteArray, mode_t> cases[] = {
      {"<plist><dict><key>favorites</key><array><string>/A.app</array></dict>", 0600},
      {"<plist><dict><key>favorites</key><array><string>/A.app</string></array></dict></plist>", 0},
  };
  for (const QString& folder : {home.path(), path("config")}) ::chmod(folder.toUtf8().constData(), 0755);
  for (const auto& [contents, mode] : cases) {
    QDir folder(path("config/wendaro"));
    ASSERT_TRUE(folder.removeRecursively() && folder.mkpath("."));
    ::chmod(folder.path().toUtf8().constData(), 0777);
    write(settings(), contents);
    ::chmod(settings().toUtf8().constData(), mode);
    const Run started = run({"--print-menu"}, {}, true);
    EXPECT_EQ(started.status, 0) << started.err.toStdString();
    EXPECT_TRUE(started.err.contains("cannot be used")) << started.err.toStdString();
    EXPECT_TRUE(started.out.contains("No apps found in chosen Directories")) << "the default directories are walked";
    const QStringList aside = folder.entryList({"defaults.plist.corrupt-*"});
    EXPECT_EQ(aside.size(), 1);
    EXPECT_EQ(read(folder.filePath(aside.value(0))), contents) << "the unusable file is kept as it was";
    EXPECT_TRUE(read(settings()).contains("<key>favorites</key>")) << "start-up wrote a fresh settings file";
  }
}

// --print-menu leaves the login item as the user has it whatever the
// settings say, and prints the menu alone.
TEST_F(ProgramTest, PrintMenuLeavesTheLoginItemAlone) {
  const QString autostart = path("config/autostart"), entry = autostart + "/" + kLoginItemIdentifier + ".desktop";
  const auto state = [&] {
    return read(autostart) + QDir(autostart).entryList(QDir::Files | QDir::Hidden).join(' ').toUtf8() + read(entry);
  };
  const Run plain = run({"--print-menu"});
  ASSERT_EQ(state(), "");
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"<false/>", [&] { write(entry, "[Desktop Entry]\nType=Application\nExec=true\n"); }},
      {"<true/>", [] {}},
      {"<true/>", [&] { write(autostart, "not a folder"); }}};
  for (const auto& [launchAtStartup, prepare] : cases) {
    QFile::remove(autostart);
    QDir(autostart).removeRecursively();
    prepare();
    writeSettings(QString("<key>launchAtStartup</key>") + launchAtStartup + "\n");
    const QByteArray before = state();
    const Run printed = run({"--print-menu"});
    EXPECT_EQ(printed.status, 0) << printed.err.toStdString();
    EXPECT_EQ(state(), before);
    EXPECT_EQ(printed.out, plain.out);
  }
}

// A standard stream the caller closed is never taken by a file the program
// opens (the menu written into the settings lock); writing to it, or to a
// full disk, fails the command.
TEST_F(ProgramTest, OutputThatCannotBeWrittenFailsTheCommand) {
  for (const QString& redirection : {QString(">&-"), QString(">/dev/full")}) {
    for (const QStringList& arguments : {QStringList{"--print-menu"}, QStringList{"--list-apps", path("apps")},
                                         QStringList{"--help"}, QStringList{"--version"}}) {
      const Run failed = run(arguments, redirection);
      EXPECT_EQ(failed.status, 1) << arguments.join(' ').toStdString() << redirection.toStdString();
      EXPECT_TRUE(failed.err.contains("cannot write")) << failed.err.toStdString();
      const QByteArray lock = read(path("config/wendaro/wendaro.lock"));
      EXPECT_TRUE(lock.isEmpty() || QRegularExpression("^[0-9]+\\n$").match(lock).hasMatch()) << lock.toStdString();
    }
  }
}

// The session in this process, on a config home of its own.
class DesktopSessionTest : public ProgramTest {
 protected:
  DesktopSessionTest() { qputenv("XDG_CONFIG_HOME", path("config").toUtf8()); }
  ~DesktopSessionTest() override { qunsetenv("XDG_CONFIG_HOME"); }
  static std::unique_ptr<DesktopSession> session() {
    std::string refusal;
    auto claim = DesktopSession::claimSettings(refusal);
    EXPECT_TRUE(claim) << refusal;
    auto started = std::make_unique<DesktopSession>(
        std::move(claim), DesktopSession::Options{.showsTray = false, .executablePath = "/usr/bin/wendaro"});
    started->finishLaunching();
    return started;
  }
};

TEST_F(DesktopSessionTest, QuittingWhileANameIsTypedKeepsTheName) {
  {
    auto started = session();
    started->app().showCategoriesWindow();
    started->app().addCategory();
    for (QWidget* widget : QApplication::allWidgets()) {
      auto* editor = qobject_cast<QLineEdit*>(widget);
      if (editor && editor->isVisible() && editor->text() == "New Category") editor->setText("Work");
    }
  }
  EXPECT_EQ(PlistDefaultsStore(settingsFilePath()).objectForKey("categories"), stringArrayValue({"Work"}));
}

// A first start saves several settings: the file is written once, whole,
// each write making a temporary file of its own first.
TEST_F(DesktopSessionTest, StartUpWritesTheSettingsFileOnce) {
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(::inotify_add_watch(watch, path("config/wendaro").toUtf8().constData(), IN_CREATE), 0);
  auto started = session();
  alignas(inotify_event) char events[4096];
  const QByteArray created(events, std::max<ssize_t>(0, ::read(watch, events, sizeof events)));
  ::close(watch);
  EXPECT_EQ(created.count(".defaults.plist."), 1);
  for (const char* key : {keys::kCategories, keys::kCategoriesApps, keys::kFavorites, keys::kMenubar}) {
    EXPECT_TRUE(PlistDefaultsStore(settingsFilePath()).objectForKey(key)) << key;
  }
}

}  // namespace
}  // namespace wendaro
