#include "desktop/qt/tray_program.h"

#include <QApplication>

#include <cstdio>

#include "desktop/qt/child_environment.h"
#include "desktop/qt/desktop_session.h"
#include "desktop/qt/icon_theme.h"
#include "desktop/qt/qt_program.h"
#include "desktop/qt/remote_service.h"
#include "desktop/qt/tray_notice.h"

namespace wendaro {

int runDesktopSession(int argc, char** argv, bool showsTray, const std::function<int(DesktopSession&)>& run) {
  std::string refusal;
  std::unique_ptr<StoreLock> claim = DesktopSession::claimSettings(refusal);
  if (!claim) {
    std::fprintf(stderr, "%s\n", refusal.c_str());
    return 1;
  }
  if (!showsTray) setOwnVariable("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  describeProgram(application);
  // The tray icon and its menus are no windows: closing the last window
  // leaves the program running.
  QApplication::setQuitOnLastWindowClosed(false);
  configureIconTheme();

  // The tray program answers other programs, and is the only one in this
  // desktop session; a run that shows nothing stays off the bus.
  RemoteService remote;
  if (showsTray && remote.claim() == RemoteService::Claim::Taken) {
    std::fprintf(stderr, "%s\n", RemoteService::takenMessage().c_str());
    return 1;
  }
  DesktopSession session(std::move(claim), {.showsTray = showsTray, .executablePath = argv[0]});
  remote.serve({session.app(), session.statusBar(), session.activationTokens()});
  return run(session);
}

int runTrayProgram(int argc, char** argv) {
  return runDesktopSession(argc, argv, true, [](DesktopSession& session) {
    session.renderer().prepareWhenIdle();
    session.finishLaunching();
    TrayNotice notice([&session] { session.statusBar().showIconsAgain(); });
    notice.watch();
    return QApplication::exec();
  });
}

}  // namespace wendaro
