#include <gtest/gtest.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <cstring>
#include <memory>

#include "desktop/qt/child_environment.h"
#include "desktop/qt/qt_workspace.h"

namespace wendaro {
namespace {

// Launches into a folder of scripts, each of which writes what it saw, on a
// line, to the file "ran"; the opener writes what it was asked to open.
class WorkspaceTest : public ::testing::Test {
 protected:
  WorkspaceTest() { writeScript("opener", "echo \"opened $1\""); }
  QString path(const QString& name) const { return dir.filePath(name); }
  void write(const QString& name, const QByteArray& contents, bool executable = false) {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    if (executable) file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  void writeScript(const QString& name, const QString& echo) {
    write(name, ("#!/bin/sh\n" + echo + " > " + path("ran") + "\n").toUtf8(), true);
  }
  // Launches and returns what the started program wrote, once it wrote it, or why it did not start.
  QString launch(const QString& name) {
    QFile::remove(path("ran"));
    const LaunchResult result = workspace.launchApplication(path(name).toStdString());
    if (!result.started) return QString::fromStdString(result.failure);
    QDeadlineTimer deadline(10000);
    for (QFile ran(path("ran")); !deadline.hasExpired(); QThread::msleep(20)) {
      if (ran.open(QIODevice::ReadOnly) && ran.peek(4096).endsWith('\n')) return ran.readAll().trimmed();
      ran.close();
    }
    return "<nothing>";
  }

  QTemporaryDir dir;
  QtWorkspace workspace{dir.filePath("opener")};
};

TEST_F(WorkspaceTest, LaunchedProgramsGetTheUsersEnvironmentAndADesktopEntryItsArgumentsAndTheToken) {
  qputenv("WENDARO_TEST_SETTING", "mine");
  setOwnVariable("WENDARO_TEST_SETTING", "own");
  setOwnVariable("WENDARO_TEST_OWN_ONLY", "own");
  // The tokens of this program's own start.
  qputenv("XDG_ACTIVATION_TOKEN", "ours");
  qputenv("DESKTOP_STARTUP_ID", "ours");
  QStringList tokens{"token-1"};
  workspace.setActivationTokenSource([&] { return tokens.isEmpty() ? QString() : tokens.takeFirst(); });
  writeScript("tool",
              "echo \"$WENDARO_TEST_SETTING ${WENDARO_TEST_OWN_ONLY:-unset} ${XDG_ACTIVATION_TOKEN:-none} "
              "${DESKTOP_STARTUP_ID:-none} $PWD $# $*\"");
  write("tool.desktop", ("[Desktop Entry]\nType=Application\nName=Tool\nExec=" + path("tool") +
                         " --open %f \"two words\"\nPath=" + dir.path() + "\n")
                            .toUtf8());
  EXPECT_EQ(launch("tool.desktop"), "mine unset token-1 none " + dir.path() + " 2 --open two words");
  EXPECT_EQ(launch("tool"), "mine unset none none " + QDir::homePath() + " 0");
  // A terminal entry runs in the user's terminal.
  QDir(dir.path()).mkpath("bin");
  writeScript("bin/xdg-terminal-exec", "echo \"terminal $*\"");
  const QByteArray searchPath = qgetenv("PATH");
  qputenv("PATH", path("bin").toUtf8() + ":" + searchPath);
  write("term.desktop",
        ("[Desktop Entry]\nType=Application\nName=Term\nTerminal=true\nExec=" + path("tool") + " -d 1\n").toUtf8());
  EXPECT_EQ(launch("term.desktop"), "terminal " + path("tool") + " -d 1");
  qputenv("PATH", searchPath);
  qunsetenv("XDG_ACTIVATION_TOKEN");
  qunsetenv("DESKTOP_STARTUP_ID");
}

// An app directory runs its AppRun; anything else goes to the opener.
TEST_F(WorkspaceTest, ADirectoryRunsItsAppRunAndAnythingElseGoesToTheOpener) {
  for (const char* folder : {"Quill.app", "Broken.app", "Folder.app", "it's \"quoted\" $(x).app"}) {
    QDir(dir.path()).mkpath(folder);
  }
  writeScript("Quill.app/AppRun", "echo \"apprun $PWD\"");
  write("Broken.app/AppRun", "");  // not executable
  write("notes.txt", "");
  write("missing.desktop", "[Desktop Entry]\nType=Application\nName=Tool\nExec=no-such-program-anywhere %U\n");
  write("broken.desktop", "[Desktop Entry]\nType=Application\nName=Tool\nExec=\"unclosed\n");
  EXPECT_EQ(launch("Quill.app"), "apprun " + QDir::homePath());
  for (const char* name : {"Broken.app", "Folder.app", "it's \"quoted\" $(x).app", "notes.txt"}) {
    EXPECT_EQ(launch(name), "opened " + path(name));
  }
  // A launch that fails says so on standard error and in a notice.
  QStringList notices;
  workspace.setFailureNotifier(
      [&](const QString& title, const QString& message) { notices << title + ": " + message; });
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(launch("missing.desktop"), "cannot launch Tool: its program no-such-program-anywhere is not installed");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "wendaro: cannot launch Tool: its program no-such-program-anywhere is not installed\n");
  EXPECT_EQ(notices, QStringList{"Cannot launch Tool: its program no-such-program-anywhere is not installed"});
  EXPECT_EQ(launch("broken.desktop"), "cannot launch Tool: its Exec line cannot be read as a command");
}

// Another client on the X server, hearing the launch feedback sent to the
// root window as a window manager does.
class StartupListener {
 public:
  StartupListener() {
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x_, xcb_setup_roots_iterator(xcb_get_setup(x_)).data->root, XCB_CW_EVENT_MASK, &mask);
  }
  ~StartupListener() { xcb_disconnect(x_); }
  // The whole messages that arrived since the last call, after a round trip
  // so that everything sent before it is here.
  QString messages() {
    std::free(xcb_get_input_focus_reply(x_, xcb_get_input_focus(x_), nullptr));
    QStringList done;
    while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) {
      const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
      if ((event->response_type & ~0x80) == XCB_CLIENT_MESSAGE && (message->type == begin_ || message->type == more_)) {
        if (message->type == begin_) text_.clear();
        const char* data = reinterpret_cast<const char*>(message->data.data8);
        text_.append(data, strnlen(data, 20));
        if (strnlen(data, 20) < 20) done << QString::fromStdString(text_);
      }
      std::free(event);
    }
    return done.join('\n');
  }

 private:
  xcb_atom_t atom(const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(x_, xcb_intern_atom(x_, 0, std::strlen(name), name), nullptr), &std::free);
    return reply->atom;
  }
  xcb_connection_t* x_ = xcb_connect(nullptr, nullptr);
  xcb_atom_t begin_ = atom("_NET_STARTUP_INFO_BEGIN");
  xcb_atom_t more_ = atom("_NET_STARTUP_INFO");
  std::string text_;  // of the message being received
};

// An entry that asks for launch feedback is announced with the ID its program gets, which carries the time of the
// user's last click; a start that fails takes its announcement back.
TEST_F(WorkspaceTest, OnAnXServerAnEntryAskingForLaunchFeedbackIsAnnouncedWithItsStartupId) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs Qt on an X server";
  StartupListener listener;
  QPushButton button("Launch");
  QSignalSpy clicked(&button, &QPushButton::clicked);
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
  QProcess::execute("xdotool", {"mousemove", "--window", QString::number(button.winId()), "5", "5", "click", "1"});
  ASSERT_TRUE(clicked.wait());
  writeScript("tool", "echo \"${DESKTOP_STARTUP_ID:-none}\"");
  const QString id = QString("wendaro-%1-[^ ]+-tool-[0-9]+_TIME[1-9][0-9]*").arg(::getpid());
  const struct {
    QString keys;
    QString outcome;  // pattern of the ID the program got, or of why it did not start
    QString sent;     // pattern of the messages, ID= standing for that ID
  } cases[] = {
      {"", "none", ""},
      {"StartupNotify=true", id, "new: ID= NAME=Tool SCREEN=0 BIN=tool DESCRIPTION=\"Starting Tool\""},
      {"StartupNotify=true\nStartupWMClass=Tool Window\nIcon=tool-icon", id,
       "new: ID= NAME=Tool SCREEN=0 BIN=tool ICON=tool-icon DESCRIPTION=\"Starting Tool\" WMCLASS=\"Tool Window\""},
      {"StartupNotify=true\nPath=" + path("gone"), "cannot launch Tool: .+",
       "new: ID=(wendaro-[^ ]+-tool-[^ ]+) NAME=Tool .*\nremove: ID=\\1"},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.keys.toStdString());
    write("tool.desktop",
          "[Desktop Entry]\nType=Application\nName=Tool\nExec=" + path("tool").toUtf8() + "\n" + entry.keys.toUtf8());
    const QString outcome = launch("tool.desktop");
    EXPECT_TRUE(QRegularExpression("^" + entry.outcome + "$").match(outcome).hasMatch()) << outcome.toStdString();
    const QString sent = listener.messages();
    const QString expected = QString(entry.sent).replace("ID= ", "ID=" + QRegularExpression::escape(outcome) + " ");
    EXPECT_TRUE(QRegularExpression("^" + expected + "$").match(sent).hasMatch()) << sent.toStdString();
  }
}

}  // namespace
}  // namespace wendaro
