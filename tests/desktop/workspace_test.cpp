#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

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

  QTemporaryDir dir;
  QtWorkspace workspace{dir.filePath("opener")};
};

TEST_F(WorkspaceTest, AnExecutableFileRunsWithoutTheTestPlatform) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  writeScript(path("tool"), "echo \"tool ${QT_QPA_PLATFORM:-unset} $#\" > " + path("ran"));
  EXPECT_TRUE(workspace.launchApplication(path("tool").toStdString()));
  EXPECT_EQ(waitForFile(path("ran")), "tool unset 0");
}

TEST_F(WorkspaceTest, ADirectoryWithAnExecutableAppRunRunsIt) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("Editor.app"));
  writeScript(path("Editor.app/AppRun"), "echo \"apprun $PWD\" > " + path("ran"));
  EXPECT_TRUE(workspace.launchApplication(path("Editor.app").toStdString()));
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
    EXPECT_TRUE(workspace.launchApplication(path(entry.name).toStdString()));
    EXPECT_EQ(waitForFile(path("ran")), "opened " + path(entry.name));
  }
}

TEST_F(WorkspaceTest, AnAppRunThatCannotRunLeavesTheDirectoryToTheOpener) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("Broken.app"));
  QFile appRun(path("Broken.app/AppRun"));
  ASSERT_TRUE(appRun.open(QIODevice::WriteOnly));
  appRun.close();
  EXPECT_TRUE(workspace.launchApplication(path("Broken.app").toStdString()));
  EXPECT_EQ(waitForFile(path("ran")), "opened " + path("Broken.app"));
}

TEST_F(WorkspaceTest, NothingStartsForAPathWhereNothingIs) {
  EXPECT_FALSE(workspace.launchApplication(path("Gone.app").toStdString()));
  EXPECT_FALSE(workspace.launchApplication(""));
}

}  // namespace
}  // namespace wendaro
