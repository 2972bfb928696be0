#include "app/app_delegate.h"

namespace wendaro {

// An entry without a target sends its action here with itself as sender.
// "Check for Updates" goes to the updater as its target, never here.
void AppDelegate::performMenuItemAction(MenuItem& sender) {
  const auto* item = dynamic_cast<const WendaroMenuItem*>(&sender);
  switch (sender.action()) {
    case Action::LaunchAppWithItem: launchAppWithItem(item); break;
    case Action::LaunchCategoryWithItem: launchCategoryWithItem(item); break;
    case Action::ShowAppsWindow: showAppsWindow(item); break;
    case Action::ShowCategoriesWindow: showCategoriesWindow(); break;
    case Action::ShowDirectoriesWindow: showDirectoriesWindow(); break;
    case Action::LaunchAtStartup: launchAtStartup(sender); break;
    case Action::Support: support(); break;
    case Action::Rate: rate(); break;
    case Action::Terminate: platform.application.terminate(); break;
    case Action::EditShortcutWithItem: editShortcutWithItem(&sender); break;
    case Action::RemoveFromMenuBarWithItem: removeFromMenuBarWithItem(item); break;
    case Action::CheckForUpdates:
    case Action::LaunchAppWithButton:
    case Action::None: break;
  }
}

void AppDelegate::performShortcutEditing(const MenuItem* sender) { editShortcutWithItem(sender); }

void AppDelegate::performStatusItemAction(Action action, StatusBarButton& sender) {
  if (action == Action::LaunchAppWithButton) launchAppWithButton(sender);
}

}  // namespace wendaro
