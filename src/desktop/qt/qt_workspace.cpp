#include "desktop/qt/qt_workspace.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>

#include <optional>

#include "desktop/qt/app_directory.h"
#include "desktop/qt/app_icon_lookup.h"

namespace wendaro {

namespace {

// Variables that make sense only for this process (a test may run it on the
// offscreen platform; the desktop's tokens for its own start) and must not
// reach the programs it starts.
const char* const kPrivateVariables[] = {"QT_QPA_PLATFORM", "XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"};

struct Command {
  QString program;
  QStringList arguments;
};

std::optional<Command> commandFor(const QString& path, const QString& opener) {
  const QFileInfo target(path);
  if (!target.exists()) return std::nullopt;
  if (target.isFile() && target.isExecutable()) return Command{target.absoluteFilePath(), {}};
  if (const auto appRun = appRunOf(target)) return Command{appRun->absoluteFilePath(), {}};
  return Command{opener, {target.absoluteFilePath()}};
}

QProcessEnvironment childEnvironment() {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : kPrivateVariables) environment.remove(name);
  return environment;
}

}  // namespace

QtWorkspace::QtWorkspace(QString opener)
    : opener_(std::move(opener)), icons_(std::make_shared<FileIconCache>(lookUpFileIcon)) {}

bool QtWorkspace::launchApplication(const std::string& appPath) {
  if (appPath.empty()) return false;
  const std::optional<Command> command = commandFor(QString::fromStdString(appPath), opener_);
  if (!command) return false;
  QProcessEnvironment environment = childEnvironment();
  if (const QString token = takeToken_ ? takeToken_() : QString(); !token.isEmpty()) {
    environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), token);
  }
  QProcess process;
  process.setProgram(command->program);
  process.setArguments(command->arguments);
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(QDir::homePath());
  process.setStandardInputFile(QProcess::nullDevice());
  return process.startDetached();
}

ImageRef QtWorkspace::iconForFile(const std::string& path) {
  return icons_->iconForFile(path);
}

bool QtWorkspace::openURL(const Url& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url.absoluteString())));
}

}  // namespace wendaro
