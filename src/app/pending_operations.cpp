// Development scaffold: callbacks of subsystems that have not landed yet, so
// that the application object links meanwhile. Each definition moves to its
// subsystem's folder when that lands; the file goes when it is empty.
#include "app/app_delegate.h"

namespace wendaro {

void AppDelegate::applicationDidFinishLaunching() {}
void AppDelegate::performMenuItemAction(MenuItem&) {}
void AppDelegate::performStatusItemAction(Action, StatusBarButton&) {}
long AppDelegate::numberOfRowsInTableView(TableView&) { return 0; }
TableValue AppDelegate::tableViewObjectValueForTableColumnRow(TableView&, const TableColumn&, long) { return {}; }
bool AppDelegate::controlTextShouldEndEditing(TableView&, const std::string&) { return true; }
void AppDelegate::controlTextDidEndEditing(TableView&) {}
void AppDelegate::menuWillOpen(Menu&) {}
void AppDelegate::windowWillClose(Window&) {}

}  // namespace wendaro
