#include "platform/actions.h"

namespace wendaro {

const char* actionName(Action action) {
  switch (action) {
    case Action::None: return "none";
    case Action::LaunchAppWithItem: return "launchAppWithItem:";
    case Action::LaunchCategoryWithItem: return "launchCategoryWithItem:";
    case Action::LaunchAppWithButton: return "launchAppWithButton:";
    case Action::ShowAppsWindow: return "showAppsWindow:";
    case Action::ShowCategoriesWindow: return "showCategoriesWindow";
    case Action::ShowDirectoriesWindow: return "showDirectoriesWindow";
    case Action::LaunchAtStartup: return "launchAtStartup:";
    case Action::CheckForUpdates: return "checkForUpdates:";
    case Action::Support: return "support:";
    case Action::Rate: return "rate:";
    case Action::Terminate: return "terminate:";
    case Action::EditShortcutWithItem: return "editShortcutWithItem:";
    case Action::RemoveFromMenuBarWithItem: return "removeFromMenuBarWithItem:";
  }
  return "none";
}

}  // namespace wendaro
