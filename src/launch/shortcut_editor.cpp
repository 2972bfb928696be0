#include <set>

#include "app/app_delegate.h"
#include "app/image_names.h"
#include "launch/remote_requests.h"
#include "launch/shortcut_keys.h"
#include "settings/defaults_keys.h"

namespace wendaro {

namespace {

constexpr double kEditorIconSide = 14;

}  // namespace

// Opens the recorder for the main menu, an application (kind false) or a
// category (kind true). A target without a shortcut key gets a new one,
// bound and saved at once, so that whatever the user records there works
// without a restart.
void AppDelegate::showShortcutWindow(const std::string& launchString, bool isCategory) {
  // A category may be called like the main menu's key; only the main menu
  // itself, which never enters the index, takes this road.
  if (!isCategory && launchString == keys::kMenuShortcut) {
    shortcutView->setAssociatedUserDefaultsKey(keys::kMenuShortcut);
    shortcutImageView->setImage(platform.images.imageNamed(kMenubarIconName));
    shortcutWindow->setTitle(kMenuShortcutTitle);
  } else {
    auto indexed = shortcutsIndex.find(launchString);
    if (indexed == shortcutsIndex.end()) {
      const std::string shortcutKey = newShortcutKey(isCategory, platform.clock.timeIntervalSinceReferenceDate());
      indexed = shortcutsIndex.emplace(launchString, shortcutKey).first;
      bindLaunchShortcut(shortcutKey, launchString, isCategory);
      saveShortcutsIndex();
    }
    shortcutView->setAssociatedUserDefaultsKey(indexed->second);
    shortcutImageView->setImage(
        isCategory ? nullptr : resizeIcon(platform.workspace.iconForFile(launchString), kEditorIconSide));
    shortcutWindow->setTitle(std::string(appTitles.of(launchString)));
  }
  positionWindow(*shortcutWindow);
  shortcutWindow->makeKeyAndOrderFront();
}

std::optional<std::string> AppDelegate::shortcutOwnerTitle(const std::string& shortcutKey,
                                                           const Shortcut& shortcut) const {
  // In the order the binder gives a shortcut stored twice to the first key.
  std::set<std::string> ours = {keys::kMenuShortcut};
  for (const auto& [launchString, key] : shortcutsIndex) ours.insert(key);
  const std::unique_ptr<ShortcutView> reader = platform.shortcutViews.makeShortcutView();
  for (const std::string& key : ours) {
    if (key == shortcutKey) continue;
    reader->setAssociatedUserDefaultsKey(key);
    if (reader->shortcutValue() == shortcut) return shortcutTitle(*this, key);
  }
  return std::nullopt;
}

}  // namespace wendaro
