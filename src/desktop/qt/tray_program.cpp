#include "desktop/qt/tray_program.h"

#include <QApplication>

#include <cstdio>

#include "desktop/qt/desktop_session.h"
#include "desktop/qt/icon_theme.h"
#include "desktop/qt/qt_program.h"

namespace wendaro {

int runDesktopSession(int argc, char** argv, bool showsTray, const std::function<int(DesktopSession&)>& run) {
  std::string refusal;
  std::unique_ptr<StoreLock> claim = DesktopSession::claimSettings(refusal);
  if (!claim) {
    std::fprintf(stderr, "%s\n", refusal.c_str());
    return 1;
  }
  if (!showsTray) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  describeProgram(application);
  // The tray icon and its menus are no windows: closing the last window
  // leaves the program running.
  QApplication::setQuitOnLastWindowClosed(false);
  configureIconTheme();

  DesktopSession session(std::move(claim), {.showsTray = showsTray, .executablePath = argv[0]});
  return run(session);
}

int runTrayProgram(int argc, char** argv) {
  return runDesktopSession(argc, argv, true, [](DesktopSession& session) {
    session.renderer().prepareWhenIdle();
    session.finishLaunching();
    return QApplication::exec();
  });
}

}  // namespace wendaro
