#include "cli/print_menu.h"

#include <QApplication>
#include <QKeySequence>

#include <cstdio>
#include <iostream>

#include "desktop/qt/desktop_session.h"
#include "desktop/qt/icon_theme.h"
#include "desktop/qt/key_equivalent.h"
#include "desktop/qt/qt_program.h"

namespace wendaro::cli {

namespace {

std::string keyText(const MenuItem& item) {
  const QKeySequence keys = keySequenceForKeyEquivalent(item.keyEquivalent(), item.keyEquivalentModifierMask());
  return keys.isEmpty() ? item.keyEquivalent() : keys.toString(QKeySequence::PortableText).toStdString();
}

void printEntries(const Menu& menu, std::ostream& out, const std::string& indent) {
  for (const MenuItemRef& item : menu.items()) {
    out << indent;
    if (item->isSeparatorItem()) {
      out << "---\n";
      continue;
    }
    for (char c : item->attributedTitle().value_or(item->title())) {
      if (c == '\n') {
        out << "\\n";
      } else {
        out << c;
      }
    }
    if (!item->keyEquivalent().empty()) out << '\t' << keyText(*item);
    out << '\n';
    if (item->submenu()) printEntries(*item->submenu(), out, indent + "  ");
  }
}

}  // namespace

void printMenuTree(const Menu& menu, std::ostream& out) { printEntries(menu, out, ""); }

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
