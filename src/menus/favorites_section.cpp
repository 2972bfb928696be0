#include "app/app_delegate.h"
#include "discovery/app_names.h"
#include "menus/same_titles.h"

namespace wendaro {

// Replaces every entry above `favoritesSeparator` with one per favourite.
//
// The entries are made in stored order. Each one belongs above the first
// placed entry whose lower-cased title sorts after its own, so equal titles
// keep their stored order and the section ends up in app name order; the
// entries are therefore sorted once and inserted top down, which keeps the
// rebuild at n log n for long lists of favourites.
void AppDelegate::rebuildFavoriteItems() {
  // Removing from the bottom of the section up moves only the entries below.
  for (long index = menubarMenu->indexOfItem(favoritesSeparator) - 1; index >= 0; --index) {
    menubarMenu->removeItemAtIndex(index);
  }

  std::vector<WendaroMenuItemRef> entries;
  entries.reserve(favorites.size());
  for (const auto& appPath : favorites) entries.push_back(makeMenuItem(appPath, false));

  long position = 0;
  for (std::size_t index : appNameOrder(favorites, appTitles)) {
    menubarMenu->insertItemAtIndex(entries[index], position++);
  }
  showFoldersOfSameTitles(*menubarMenu, 0, position);
}

}  // namespace wendaro
