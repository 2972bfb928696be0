#include "app/app_delegate.h"
#include "settings/defaults_keys.h"

namespace wendaro {

// The main-menu shortcut, then every key of the index. A key's first letter
// tells its kind: "a" an application, anything else a category.
void AppDelegate::bindShortcuts() {
  bindMenuShortcut();
  for (const auto& [launchString, shortcutKey] : shortcutsIndex) {
    const bool isCategory = !shortcutKey.starts_with('a');
    platform.shortcutBinder.bindShortcutWithDefaultsKey(
        shortcutKey, [this, target = launchString, isCategory] { launchTarget(target, isCategory); });
  }
}

// Binding again replaces the action, so this is safe after every close.
void AppDelegate::bindMenuShortcut() {
  platform.shortcutBinder.bindShortcutWithDefaultsKey(keys::kMenuShortcut, [this] { toggleMenuFromShortcut(); });
}

// The shortcut stays inert while the menu it opened is tracked; the close of
// the main menu binds it again (didCloseMenu). Pressed while a click keeps
// the menu open, it closes the menu.
void AppDelegate::toggleMenuFromShortcut() {
  platform.shortcutBinder.breakBindingWithDefaultsKey(keys::kMenuShortcut);
  StatusBarButton* button = menubarItem->button();
  if (button && button->isHighlighted()) {
    platform.statusBar.cancelTracking(*menubarMenu);
    return;
  }
  if (button) button->highlight(true);
  menubarItem->popUpStatusItemMenu(*menubarMenu);
}

}  // namespace wendaro
