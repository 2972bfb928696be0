#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <string>

#include "app/app_delegate.h"
#include "desktop/qt/activation_tokens.h"
#include "desktop/linux/linux_access_grants.h"
#include "desktop/linux/linux_app_kinds.h"
#include "desktop/linux/posix_file_manager.h"
#include "desktop/linux/xdg_login_items.h"
#include "desktop/qt/dialogs/qt_open_panel.h"
#include "desktop/qt/global_shortcuts.h"
#include "desktop/qt/menu_renderer.h"
#include "desktop/qt/qt_application.h"
#include "desktop/qt/qt_directory_watcher.h"
#include "desktop/qt/qt_events.h"
#include "desktop/qt/qt_images.h"
#include "desktop/qt/qt_status_bar.h"
#include "desktop/qt/qt_system_services.h"
#include "desktop/qt/qt_updater.h"
#include "desktop/qt/qt_workspace.h"
#include "desktop/qt/windows/interface_file.h"
#include "desktop/qt/windows/qt_shortcut_view.h"
#include "desktop/store/plist_defaults_store.h"
#include "desktop/store/store_lock.h"

namespace wendaro {

// Everything the running program is made of, in the order start-up makes
// it: the claim on the user's settings, the settings, the desktop services,
// the windows of the interface file and the application object connected to
// them. A QApplication must exist first.
class DesktopSession {
 public:
  struct Options {
    // False for a run that shows nothing: no tray icons, no notices, and the
    // login item left as it is.
    bool showsTray = true;
    // The program that launch at login starts.
    std::string executablePath;
  };

  // The claim of this process on the user's settings, or nothing when
  // another copy of the program owns them; `refusal` then says so in one
  // line. Needs no Qt, so that a refused copy needs no display either.
  static std::unique_ptr<StoreLock> claimSettings(std::string& refusal);

  DesktopSession(std::unique_ptr<StoreLock> claim, const Options& options);
  ~DesktopSession();

  AppDelegate& app() { return *app_; }
  MenuRenderer& renderer() { return renderer_; }
  QtStatusBar& statusBar() { return statusBar_; }
  ActivationTokens& activationTokens() { return activationTokens_; }
  // What launching has finished does: the application object's start-up.
  // What it saves is written to the settings file once, at its end.
  void finishLaunching();

 private:
  std::unique_ptr<StoreLock> lock_;
  PlistDefaultsStore defaults_;
  ActivationTokens activationTokens_;
  QtWorkspace workspace_;
  PosixFileManager fileManager_;
  LinuxAppKinds appKinds_{fileManager_};
  QtDirectoryWatcher directoryWatcher_;
  LinuxAccessGrants accessGrants_;
  QtOpenPanels openPanels_;
  QtApplication application_;
  MenuRenderer renderer_{application_};
  QtStatusBar statusBar_;
  QtEvents events_;
  QtImages images_;
  XdgLoginItems loginItems_;
  UnchangedLoginItems unchangedLoginItems_;
  NoStoreReview storeReview_;
  QtSystemInfo systemInfo_;
  SystemClock clock_;
  StreamOutput standardOutput_;
  // Before the interface: the shortcut editor shows the binder's conflicts.
  GlobalShortcuts shortcuts_;
  QtShortcutViews shortcutViews_;
  Platform platform_;
  InterfaceFile interface_;
  QtUpdater updater_;
  std::unique_ptr<AppDelegate> app_;
};

}  // namespace wendaro
