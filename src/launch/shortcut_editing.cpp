#include "app/app_delegate.h"
#include "settings/defaults_keys.h"

namespace wendaro {

// An app's entry (or a pinned app's menu) opens the app's editor, a "Launch
// All" entry its category's; any other entry, or none, the main menu's.
void AppDelegate::editShortcutWithItem(const MenuItem* sender) {
  const auto* item = dynamic_cast<const WendaroMenuItem*>(sender);
  if (item && item->launchString) {
    switch (item->action()) {
      case Action::LaunchAppWithItem:
      case Action::EditShortcutWithItem:
      case Action::RemoveFromMenuBarWithItem: showShortcutWindow(*item->launchString, false); return;
      case Action::LaunchCategoryWithItem: showShortcutWindow(*item->launchString, true); return;
      default: break;
    }
  }
  showShortcutWindow(keys::kMenuShortcut, false);
}

}  // namespace wendaro
