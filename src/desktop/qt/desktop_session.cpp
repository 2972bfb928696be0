#include "desktop/qt/desktop_session.h"

#include <QCoreApplication>

#include "desktop/store/config_paths.h"
#include "launch/remote_requests.h"

namespace wendaro {

std::unique_ptr<StoreLock> DesktopSession::claimSettings(std::string& refusal) {
  auto lock = std::make_unique<StoreLock>(settingsLockPath());
  if (lock->tryAcquire()) return lock;
  refusal = lock->refusalMessage();
  return nullptr;
}

DesktopSession::DesktopSession(std::unique_ptr<StoreLock> claim, const Options& options)
    : lock_(std::move(claim)),
      defaults_(settingsFilePath()),
      directoryWatcher_(options.showsTray),
      statusBar_(application_, renderer_, options.showsTray),
      loginItems_(autostartDirectory(), options.executablePath),
      shortcuts_(defaults_, options.showsTray ? GlobalShortcuts::Keyboard::Watch : GlobalShortcuts::Keyboard::Ignore),
      shortcutViews_(defaults_),
      platform_{defaults_,    workspace_,  fileManager_,  appKinds_,     directoryWatcher_, accessGrants_,
                openPanels_,  statusBar_,  events_,       images_,       application_,
                options.showsTray ? static_cast<LoginItems&>(loginItems_) : unchangedLoginItems_,
                storeReview_, systemInfo_,
                clock_,       standardOutput_, shortcuts_.binder(), shortcutViews_},
      interface_(defaults_),
      updater_(QCoreApplication::applicationVersion()) {
  renderer_.setUpdater(&updater_);
  workspace_.setActivationTokenSource([this] { return activationTokens_.take(); });
  workspace_.setFailureNotifier(
      [this](const QString& title, const QString& message) { statusBar_.notify(title, message); });
  interface_.shortcutView.setConflicts(&shortcuts_.binder());
  // What loading the interface file does: the application object, its
  // outlets connected, made the application's delegate.
  app_ = std::make_unique<AppDelegate>(platform_);
  interface_.connectApplication(*app_, &updater_);
  shortcuts_.setTitleSource([this](const std::string& key) { return shortcutTitle(*app_, key); });
  application_.setDelegate(app_.get());
}

void DesktopSession::finishLaunching() {
  auto together = defaults_.holdWrites();
  app_->applicationDidFinishLaunching();
}

DesktopSession::~DesktopSession() {
  // A name still being typed is applied, and saved, while the application
  // object is there to take it; after that the windows no longer reach it.
  interface_.disconnectTables();
  application_.setDelegate(nullptr);
  app_.reset();
}

}  // namespace wendaro
