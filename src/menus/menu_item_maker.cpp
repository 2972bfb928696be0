#include "app/app_delegate.h"

namespace wendaro {

namespace {

constexpr double kMenuIconSide = 16;

}  // namespace

// The one maker of entries that stand for an application (kind false) or for
// launching a whole category (kind true). An entry shows the shortcut stored
// for its launch string; an index entry whose shortcut was never recorded, or
// was cleared, is dropped here together with its stored key.
WendaroMenuItemRef AppDelegate::makeMenuItem(const std::string& launchString, bool isCategory) {
  auto item = std::make_shared<WendaroMenuItem>(isCategory ? "Launch All" : std::string(appTitles.of(launchString)),
                                                isCategory ? Action::LaunchCategoryWithItem : Action::LaunchAppWithItem,
                                                "");

  if (auto indexed = shortcutsIndex.find(launchString); indexed != shortcutsIndex.end()) {
    const std::string shortcutKey = indexed->second;
    // A recorder that is never shown reads the stored shortcut.
    std::unique_ptr<ShortcutView> reader = platform.shortcutViews.makeShortcutView();
    reader->setAssociatedUserDefaultsKey(shortcutKey);
    if (std::optional<Shortcut> shortcut = reader->shortcutValue()) {
      item->setKeyEquivalent(shortcut->keyCodeStringForKeyEquivalent);
      item->setKeyEquivalentModifierMask(shortcut->modifierFlags);
    } else {
      // Only the in-memory index loses the entry; the stored index keeps it
      // until the index is next saved, and the key stays bound.
      platform.defaults.removeObjectForKey(shortcutKey);
      shortcutsIndex.erase(indexed);
    }
  }

  if (!isCategory) item->setImage(resizeIcon(platform.workspace.iconForFile(launchString), kMenuIconSide));

  item->launchString = launchString;
  return item;
}

}  // namespace wendaro
