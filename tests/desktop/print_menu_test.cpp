#include <sstream>

#include <gtest/gtest.h>

#include "cli/print_menu.h"

namespace wendaro {
namespace {

TEST(PrintMenuTest, OneEntryALineWithSubmenusIndentedBelowTheirEntry) {
  Menu menu;
  auto mail = menu.addItemWithTitle("Mail", Action::LaunchAppWithItem, "K");
  mail->setKeyEquivalentModifierMask(kControlKeyMask | kOptionKeyMask);
  menu.addItem(MenuItem::separatorItem());
  auto work = std::make_shared<Menu>();
  work->addItemWithTitle("Editor", Action::LaunchAppWithItem, "");
  work->addItem(MenuItem::separatorItem());
  work->addItemWithTitle("Launch All", Action::LaunchCategoryWithItem, "F5");
  auto deeper = std::make_shared<Menu>();
  deeper->addItemWithTitle("Inner", Action::None, "");
  work->addItemWithTitle("Deeper", Action::None, "")->setSubmenu(deeper);
  menu.addItemWithTitle("Work", Action::None, "")->setSubmenu(work);
  auto help = menu.addItemWithTitle("", Action::None, "");
  help->setAttributedTitle("first line\nsecond line");
  menu.addItemWithTitle("Empty", Action::None, "")->setSubmenu(std::make_shared<Menu>());
  menu.addItemWithTitle("Quit", Action::Terminate, "");

  std::ostringstream out;
  cli::printMenuTree(menu, out);
  EXPECT_EQ(out.str(),
            "Mail\tCtrl+Alt+K\n"
            "---\n"
            "Work\n"
            "  Editor\n"
            "  ---\n"
            "  Launch All\tF5\n"
            "  Deeper\n"
            "    Inner\n"
            "first line\\nsecond line\n"
            "Empty\n"
            "Quit\n");
}

}  // namespace
}  // namespace wendaro
