#include "desktop/qt/qt_workspace.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>

#include <cstdio>
#include <optional>

#include "desktop/linux/desktop_entry_launcher.h"
#include "desktop/qt/app_directory.h"
#include "desktop/qt/app_icon_lookup.h"
#include "desktop/qt/child_environment.h"
#include "desktop/x11/xcb_startup_notices.h"
#include "platform/path_strings.h"

namespace wendaro {

namespace {

struct Command {
  QString program;
  QStringList arguments;
};

Command commandFor(const QFileInfo& target, const QString& opener) {
  if (target.isFile() && target.isExecutable()) return Command{target.absoluteFilePath(), {}};
  if (const auto appRun = appRunOf(target)) return Command{appRun->absoluteFilePath(), {}};
  return Command{opener, {target.absoluteFilePath()}};
}

QProcessEnvironment processEnvironment(const std::vector<EnvironmentChange>& changes) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const EnvironmentChange& change : changes) {
    const QString name = QString::fromStdString(change.name);
    if (change.value) {
      environment.insert(name, QString::fromStdString(*change.value));
    } else {
      environment.remove(name);
    }
  }
  return environment;
}

bool isDesktopEntry(const QFileInfo& target) { return target.isFile() && target.fileName().endsWith(".desktop"); }

}  // namespace

QtWorkspace::QtWorkspace(QString opener)
    : opener_(std::move(opener)),
      icons_(std::make_shared<FileIconCache>(lookUpFileIcon)),
      startupNotices_(x11::makeStartupNotices()) {}

LaunchResult QtWorkspace::launchApplication(const std::string& appPath) {
  const QString name = QString::fromStdString(displayName(appPath));
  if (appPath.empty()) return {};
  const QFileInfo target(QString::fromStdString(appPath));
  if (!target.exists()) return failed(name, QStringLiteral("it is no longer there"));
  // Each process started takes the activation token, if any, with it.
  const std::vector<EnvironmentChange> environment = childEnvironmentChanges(takeToken_ ? takeToken_() : QString());
  if (isDesktopEntry(target)) {
    const LaunchOutcome outcome = launchDesktopEntry(appPath, environment, startupNotices_.get());
    if (outcome.started) return {true, {}};
    return failed(QString::fromStdString(outcome.title), QString::fromStdString(outcome.reason));
  }
  const Command command = commandFor(target, opener_);
  QProcess process;
  process.setProgram(command.program);
  process.setArguments(command.arguments);
  process.setProcessEnvironment(processEnvironment(environment));
  process.setWorkingDirectory(QDir::homePath());
  process.setStandardInputFile(QProcess::nullDevice());
  if (process.startDetached()) return {true, {}};
  return failed(name, process.errorString());
}

LaunchResult QtWorkspace::failed(const QString& name, const QString& reason) {
  const QString failure = QStringLiteral("cannot launch %1: %2").arg(name, reason);
  std::fprintf(stderr, "wendaro: %s\n", qUtf8Printable(failure));
  if (notifier_) notifier_(QStringLiteral("Cannot launch %1").arg(name), reason);
  return {false, failure.toStdString()};
}

ImageRef QtWorkspace::iconForFile(const std::string& path) {
  return icons_->iconForFile(path);
}

bool QtWorkspace::openURL(const Url& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url.absoluteString())));
}

}  // namespace wendaro
