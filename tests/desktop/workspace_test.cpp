#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>

#include "desktop/qt/child_environment.h"
#include "desktop/qt/qt_workspace.h"

namespace wendaro {
namespace {

// Writes an executable shell script.
void writeScript(const QString& path, const QString& body) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(("#!/bin/sh\n" + body + "\n").toUtf8());
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// What the started program wrote, once it has written it.
QString waitForFile(const QString& path) {
  QDeadlineTimer deadline(10000);
  while (!deadline.hasExpired()) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
      const QString text = QString::fromUtf8(file.readAll());
      if (text.endsWith('\n')) return text.trimmed();
    }
    QThread::msleep(20);
  }
  return QStringLiteral("<nothing>");
}

class WorkspaceTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    // The opener records what it was asked to open.
    writeScript(path("opener"), "echo \"opened $1\" > " + path("ran"));
  }
  QString path(const QString& name) const { return dir.filePath(name); }
  void writeEntry(const QString& name, const QString& keys) {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("[Desktop Entry]\nType=Application\nName=Recorder\n" + keys + "\n").toUtf8());
  }
  // A program that writes its working directory and its arguments, each
  // followed by "|".
  QString recorder() {
    writeScript(path("recorder"), "printf '%s|' \"$PWD\" \"$@\" > " + path("ran") + "; echo >> " + path("ran"));
    return path("recorder");
  }

  QTemporaryDir dir;
  QtWorkspace workspace{dir.filePath("opener")};
};

TEST_F(WorkspaceTest, LaunchedProgramsGetTheUsersEnvironmentAndOneOfThemTheActivationToken) {
  qputenv("WENDARO_TEST_SETTING", "mine");
  setOwnVariable("WENDARO_TEST_SETTING", "own");
  setOwnVariable("WENDARO_TEST_OWN_ONLY", "own");
  // The tokens of this program's own start.
  qputenv("XDG_ACTIVATION_TOKEN", "ours");
  qputenv("DESKTOP_STARTUP_ID", "ours");
  QStringList tokens{"token-1"};
  workspace.setActivationTokenSource([&] { return tokens.isEmpty() ? QString() : tokens.takeFirst(); });
  writeScript(path("tool"), "echo \"$WENDARO_TEST_SETTING ${WENDARO_TEST_OWN_ONLY:-unset} ${XDG_ACTIVATION_TOKEN:-none} "
                            "${DESKTOP_STARTUP_ID:-none} $#\" > " + path("ran"));
  writeEntry("tool.desktop", "Exec=" + path("tool"));
  const struct {
    const char* launched;
    const char* environment;
  } cases[] = {{"tool.desktop", "mine unset token-1 none 0"}, {"tool", "mine unset none none 0"}};
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.launched);
    QFile::remove(path("ran"));
    EXPECT_TRUE(workspace.launchApplication(path(entry.launched).toStdString()).started);
    EXPECT_EQ(waitForFile(path("ran")), entry.environment);
  }
  qunsetenv("XDG_ACTIVATION_TOKEN");
  qunsetenv("DESKTOP_STARTUP_ID");
}

TEST_F(WorkspaceTest, ADesktopEntryStartsWithItsArgumentsInItsDirectory) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("work dir"));
  const QString program = recorder();
  const struct {
    const char* name;
    QString keys;
    QString recorded;
  } cases[] = {
      {"with-path.desktop", "Exec=" + program + " --open %f \"two words\"\nPath=" + path("work dir"),
       path("work dir") + "|--open|two words|"},
      {"no-path.desktop", "Exec=" + program + " %U", QDir::homePath() + "|"},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    QFile::remove(path("ran"));
    writeEntry(entry.name, entry.keys);
    EXPECT_TRUE(workspace.launchApplication(path(entry.name).toStdString()).started);
    EXPECT_EQ(waitForFile(path("ran")), entry.recorded);
  }
}

TEST_F(WorkspaceTest, ATerminalEntryRunsInTheUsersTerminal) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
  writeScript(path("bin/xdg-terminal-exec"), "printf '%s|' terminal \"$@\" > " + path("ran") + "; echo >> " + path("ran"));
  const QByteArray searchPath = qgetenv("PATH");
  qputenv("PATH", path("bin").toUtf8() + ":" + searchPath);
  writeEntry("top.desktop", "Exec=" + recorder() + " -d 1\nTerminal=true");
  EXPECT_TRUE(workspace.launchApplication(path("top.desktop").toStdString()).started);
  qputenv("PATH", searchPath);
  EXPECT_EQ(waitForFile(path("ran")), "terminal|" + path("recorder") + "|-d|1|");
}

TEST_F(WorkspaceTest, ALaunchThatFailsIsToldOnStandardErrorAndToTheNotifier) {
  QStringList notices;
  workspace.setFailureNotifier([&](const QString& title, const QString& message) { notices << title + ": " + message; });
  writeEntry("Missing.desktop", "Exec=no-such-program-anywhere %U");
  writeEntry("Broken.desktop", "Exec=\"unclosed");
  const struct {
    const char* name;
    const char* line;
  } cases[] = {
      {"Gone.app", "wendaro: cannot launch Gone: it is no longer there\n"},
      {"Missing.desktop", "wendaro: cannot launch Recorder: its program no-such-program-anywhere is not installed\n"},
      {"Broken.desktop", "wendaro: cannot launch Recorder: its Exec line cannot be read as a command\n"},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    notices.clear();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(workspace.launchApplication(path(entry.name).toStdString()).started);
    const std::string line = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(line, entry.line);
    // The same words in the notice: "Cannot launch NAME: REASON".
    const std::string said = "wendaro: cannot";
    ASSERT_EQ(line.substr(0, said.size()), said);
    EXPECT_EQ(notices, QStringList{"Cannot" + QString::fromStdString(line.substr(said.size(), line.size() - said.size() - 1))});
  }
}

// Another client on the X server that hears the launch feedback messages
// sent to the root window, as a window manager does.
class StartupListener {
 public:
  StartupListener() : connection_(xcb_connect(nullptr, nullptr)) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
    begin_ = atom("_NET_STARTUP_INFO_BEGIN");
    more_ = atom("_NET_STARTUP_INFO");
  }
  ~StartupListener() { xcb_disconnect(connection_); }

  // The whole messages that arrived since the last call, after a round trip
  // so that everything sent before it is here.
  QStringList messages() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    QStringList done;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
      const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
      if ((event->response_type & ~0x80) == XCB_CLIENT_MESSAGE && (message->type == begin_ || message->type == more_)) {
        std::string& text = pieces_[message->window];
        if (message->type == begin_) text.clear();
        const char* data = reinterpret_cast<const char*>(message->data.data8);
        text.append(data, strnlen(data, 20));
        if (strnlen(data, 20) < 20) done << QString::fromStdString(text);
      }
      std::free(event);
    }
    return done;
  }

 private:
  xcb_atom_t atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t found = reply->atom;
    std::free(reply);
    return found;
  }

  xcb_connection_t* connection_;
  xcb_atom_t begin_ = 0;
  xcb_atom_t more_ = 0;
  std::map<xcb_window_t, std::string> pieces_;
};

TEST_F(WorkspaceTest, OnAnXServerAnEntryAskingForLaunchFeedbackIsAnnouncedWithItsStartupId) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs Qt on an X server";
  StartupListener listener;
  // The ID carries the time of the user's last click, the one that launches.
  QPushButton button("Launch");
  bool clicked = false;
  QObject::connect(&button, &QPushButton::clicked, [&] { clicked = true; });
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  QProcess::execute("xdotool", {"mousemove", "--window", QString::number(button.winId()), "5", "5", "click", "1"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return clicked; }));
  writeScript(path("tool"), "echo \"${DESKTOP_STARTUP_ID:-none}\" > " + path("ran"));
  const QString id = QString("wendaro-%1-[^ ]+-tool-[0-9]+_TIME[1-9][0-9]*").arg(::getpid());
  const struct {
    const char* name;
    QString keys;
    QString received;  // pattern of the ID the program got
    QString sent;      // pattern of the messages, ID= standing for that ID
  } cases[] = {
      {"quiet.desktop", "", "none", ""},
      {"notify.desktop", "StartupNotify=true", id,
       "new: ID= NAME=Recorder SCREEN=0 BIN=tool DESCRIPTION=\"Starting Recorder\""},
      {"class.desktop", "StartupWMClass=Tool Window\nStartupNotify=true\nIcon=tool-icon", id,
       "new: ID= NAME=Recorder SCREEN=0 BIN=tool ICON=tool-icon DESCRIPTION=\"Starting Recorder\" WMCLASS=\"Tool Window\""},
      // A start that fails takes its announcement back.
      {"gone.desktop", "StartupNotify=true\nPath=" + path("gone"), "",
       "new: ID=(wendaro-[^ ]+-tool-[^ ]+) NAME=Recorder .*\nremove: ID=\\1"},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    QFile::remove(path("ran"));
    const bool starts = !entry.received.isEmpty();
    writeEntry(entry.name, "Exec=" + path("tool") + "\n" + entry.keys);
    EXPECT_EQ(workspace.launchApplication(path(entry.name).toStdString()).started, starts);
    const QString received = starts ? waitForFile(path("ran")) : QString();
    EXPECT_TRUE(QRegularExpression("^" + entry.received + "$").match(received).hasMatch()) << received.toStdString();
    const QString sent = listener.messages().join('\n');
    const QString expected = QString(entry.sent).replace("ID= ", "ID=" + QRegularExpression::escape(received) + " ");
    EXPECT_TRUE(QRegularExpression("^" + expected + "$").match(sent).hasMatch()) << sent.toStdString();
  }
}

TEST_F(WorkspaceTest, ADirectoryWithAnExecutableAppRunRunsIt) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("Editor.app"));
  writeScript(path("Editor.app/AppRun"), "echo \"apprun $PWD\" > " + path("ran"));
  EXPECT_TRUE(workspace.launchApplication(path("Editor.app").toStdString()).started);
  EXPECT_EQ(waitForFile(path("ran")), "apprun " + QDir::homePath());
}

TEST_F(WorkspaceTest, AnythingElseGoesToTheOpener) {
  const struct {
    const char* name;
    bool directory;
  } cases[] = {{"notes.txt", false}, {"Folder.app", true}, {"it's \"quoted\" $(x).app", true}};
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    QFile::remove(path("ran"));
    if (entry.directory) {
      ASSERT_TRUE(QDir(dir.path()).mkpath(entry.name));
    } else {
      QFile file(path(entry.name));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_TRUE(workspace.launchApplication(path(entry.name).toStdString()).started);
    EXPECT_EQ(waitForFile(path("ran")), "opened " + path(entry.name));
  }
}

TEST_F(WorkspaceTest, AnAppRunThatCannotRunLeavesTheDirectoryToTheOpener) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("Broken.app"));
  QFile appRun(path("Broken.app/AppRun"));
  ASSERT_TRUE(appRun.open(QIODevice::WriteOnly));
  appRun.close();
  EXPECT_TRUE(workspace.launchApplication(path("Broken.app").toStdString()).started);
  EXPECT_EQ(waitForFile(path("ran")), "opened " + path("Broken.app"));
}

TEST_F(WorkspaceTest, NothingStartsForAnEmptyPath) { EXPECT_FALSE(workspace.launchApplication("").started); }

}  // namespace
}  // namespace wendaro
