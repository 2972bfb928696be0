#include "app/app_delegate.h"
#include "launch/shortcut_keys.h"
#include "settings/defaults_keys.h"

namespace wendaro {

// The main-menu shortcut, then every key of the index, of the kind its key
// tells.
void AppDelegate::bindShortcuts() {
  bindMenuShortcut();
  for (const auto& [launchString, shortcutKey] : shortcutsIndex) {
    bindLaunchShortcut(shortcutKey, launchString, isCategoryShortcutKey(shortcutKey));
  }
}

void AppDelegate::bindLaunchShortcut(const std::string& shortcutKey, const std::string& launchString,
                                     bool isCategory) {
  platform.shortcutBinder.bindShortcutWithDefaultsKey(
      shortcutKey, [this, launchString, isCategory] { launchTarget(launchString, isCategory); });
}

void AppDelegate::forgetShortcut(const std::string& launchString, bool isCategory) {
  auto indexed = shortcutsIndex.find(launchString);
  // An app and a category may be called alike; each has its own kind of key.
  if (indexed == shortcutsIndex.end() || isCategoryShortcutKey(indexed->second) != isCategory) return;
  const std::string shortcutKey = indexed->second;
  shortcutsIndex.erase(indexed);
  platform.shortcutBinder.breakBindingWithDefaultsKey(shortcutKey);
  platform.defaults.removeObjectForKey(shortcutKey);
  saveShortcutsIndex();
}

bool AppDelegate::moveShortcut(const std::string& from, const std::string& to, bool isCategory) {
  auto indexed = shortcutsIndex.find(from);
  if (from == to || indexed == shortcutsIndex.end() || isCategoryShortcutKey(indexed->second) != isCategory ||
      shortcutsIndex.contains(to)) {
    return false;
  }
  const std::string shortcutKey = indexed->second;
  shortcutsIndex.erase(indexed);
  shortcutsIndex.emplace(to, shortcutKey);
  bindLaunchShortcut(shortcutKey, to, isCategory);
  return true;
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
