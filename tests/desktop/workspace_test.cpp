#include <gtest/gtest.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>

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
  // Launches and returns what the started program wrote, once it wrote it.
  QString launch(const QString& name) {
    QFile::remove(path("ran"));
    if (!workspace.launchApplication(path(name).toStdString()).started) return "<not started>";
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
  EXPECT_EQ(launch("Quill.app"), "apprun " + QDir::homePath());
  for (const char* name : {"Broken.app", "Folder.app", "it's \"quoted\" $(x).app", "notes.txt"}) {
    EXPECT_EQ(launch(name), "opened " + path(name));
  }
}

}  // namespace
}  // namespace wendaro
