#pragma once

#include <QString>

#include <functional>
#include <memory>

#include "desktop/linux/startup_notices.h"
#include "desktop/qt/file_icon_cache.h"
#include "platform/workspace.h"

namespace wendaro {

// Launches apps as detached processes, never through a shell: a desktop
// entry (*.desktop) through GIO; an executable file (an AppImage among them)
// runs; on an X server a desktop entry asking for launch feedback gets it
// (startup notification); a directory with an executable "AppRun" runs that; anything else
// that exists is handed to the opener program. Launched programs outlive
// this one. A launch that fails is told on standard error
// ("wendaro: cannot launch NAME: REASON") and to the notifier.
class QtWorkspace : public Workspace {
 public:
  using Notifier = std::function<void(const QString& title, const QString& message)>;

  // `opener` opens what is not an app: the desktop's default opener unless a
  // test says otherwise.
  explicit QtWorkspace(QString opener = QStringLiteral("xdg-open"));

  LaunchResult launchApplication(const std::string& appPath) override;
  // A lazy handle: see FileIconCache.
  ImageRef iconForFile(const std::string& path) override;
  bool openURL(const Url& url) override;

  // Where failed launches are shown besides standard error (the tray).
  void setFailureNotifier(Notifier notifier) { notifier_ = std::move(notifier); }
  const FileIconCache& iconCache() const { return *icons_; }
  // Asked once for each process started: the activation token to hand it,
  // or an empty string.
  void setActivationTokenSource(std::function<QString()> takeToken) { takeToken_ = std::move(takeToken); }

 private:
  LaunchResult failed(const QString& name, const QString& reason);

  QString opener_;
  std::function<QString()> takeToken_;
  Notifier notifier_;
  std::shared_ptr<FileIconCache> icons_;
  std::unique_ptr<StartupNotices> startupNotices_;
};

}  // namespace wendaro
