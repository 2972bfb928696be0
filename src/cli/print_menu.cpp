#include "cli/print_menu.h"

#include <QKeySequence>

#include <iostream>

#include "desktop/qt/desktop_session.h"
#include "desktop/qt/key_equivalent.h"
#include "desktop/qt/tray_program.h"
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
  return runDesktopSession(argc, argv, false, [](DesktopSession& session) {
    session.finishLaunching();
    printMenuTree(*session.app().menubarMenu, std::cout);
    std::cout.flush();
    if (std::cout) return 0;
    std::cerr << "wendaro: cannot write the menu\n";
    return 1;
  });
}

}  // namespace wendaro::cli
