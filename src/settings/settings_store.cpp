#include "app/app_delegate.h"
#include "launch/shortcut_keys.h"
#include "settings/defaults_keys.h"
#include "settings/shape_checks.h"

namespace wendaro {

// Reads the seven keys in a fixed order. Each value is taken whole or not at
// all (see shape_checks.h). The one write: index entries whose key the
// program never mints are dropped from the stored index too.
void AppDelegate::loadSettings() {
  auto& store = platform.defaults;

  if (auto stored = store.objectForKey(keys::kBookmarks)) {
    if (auto blobs = asDataArray(*stored)) {
      bookmarks = std::move(*blobs);
      resolveBookmarks({});
    }
  }
  if (auto stored = store.objectForKey(keys::kDirectories)) {
    if (auto paths = asStringArray(*stored)) {
      directories = std::move(*paths);
      if (directoriesTableView) directoriesTableView->reloadData();
    }
  }
  if (auto stored = store.objectForKey(keys::kCategories)) {
    if (auto names = asStringArray(*stored)) {
      categories = std::move(*names);
      if (categoriesTableView) categoriesTableView->reloadData();
    }
  }
  if (auto stored = store.objectForKey(keys::kCategoriesApps)) {
    if (auto members = asStringArrayDictionary(*stored)) categoriesApps = std::move(*members);
  }
  if (auto stored = store.objectForKey(keys::kFavorites)) {
    if (auto paths = asStringArray(*stored)) favorites = std::move(*paths);
  }
  if (auto stored = store.objectForKey(keys::kMenubar)) {
    if (auto paths = asStringArray(*stored)) menubar = std::move(*paths);
  }
  if (auto stored = store.objectForKey(keys::kShortcutsIndex)) {
    if (auto index = asStringDictionary(*stored)) {
      const auto notMinted = std::erase_if(*index, [](const auto& entry) { return !isMintedShortcutKey(entry.second); });
      shortcutsIndex = std::move(*index);
      if (notMinted > 0) saveShortcutsIndex();
    }
  }
}

void AppDelegate::saveDirectories() {
  platform.defaults.setObject(keys::kDirectories, stringArrayValue(directories));
  platform.defaults.setObject(keys::kBookmarks, dataArrayValue(bookmarks));
}

void AppDelegate::saveShortcutsIndex() {
  platform.defaults.setObject(keys::kShortcutsIndex, stringDictionaryValue(shortcutsIndex));
}

void AppDelegate::saveCategories() {
  platform.defaults.setObject(keys::kCategories, stringArrayValue(categories));
  platform.defaults.setObject(keys::kCategoriesApps, stringArrayDictionaryValue(categoriesApps));
}

}  // namespace wendaro
