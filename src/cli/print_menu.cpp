#include "cli/print_menu.h"

#include <QApplication>
#include <QKeySequence>

#include <cstdio>
#include <iostream>

#include "desktop/qt/desktop_session.h"
#include "desktop/qt/icon_theme.h"
#include "desktop/qt/key_equivalent.h"
#include "desktop/qt/qt_program.h"
#include "platform/menu_text.h"

namespace wendaro::cli {

namespace {

std::string keyText(const MenuItem& item) {
  const QKeySequence keys = keySequenceForKeyEquivalent(item.keyEquivalent(), item.keyEquivalentModifierMask());
  return keys.isEmpty() ? item.keyEquivalent() : keys.toString(QKeySequence::PortableText).toStdString();
}

}  // namespace

void printMenuTree(const Menu& menu, std::ostream& out) { out << menuTreeText(menu, keyText); }

int runPrintMenu(int argc, char** argv) {
  std::string refusal;
  std::unique_ptr<StoreLock> claim = DesktopSession::claimSettings(refusal);
  if (!claim) {
    std::fprintf(stderr, "%s\n", refusal.c_str());
    return 1;
  }
  // Nothing is shown, so no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  describeProgram(application);
  configureIconTheme();

  DesktopSession session(std::move(claim), {.showsTray = false, .executablePath = programPath()});
  session.finishLaunching();
  printMenuTree(*session.app().menubarMenu, std::cout);
  std::cout.flush();
  return std::cout ? 0 : 1;
}

}  // namespace wendaro::cli
