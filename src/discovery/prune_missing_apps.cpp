#include <algorithm>

#include "app/app_delegate.h"
#include "discovery/path_set.h"
#include "settings/defaults_keys.h"

namespace wendaro {

// Drops from the favourites, the pins and every category's members each path
// that the catalogue does not hold (by path equality), keeping the order of
// the rest, and saves the three at once whether or not anything changed.
// Removing every copy of a missing path in one pass is what removing the
// first equal entry once per listed copy comes to.
void AppDelegate::pruneMissingApps() {
  const PathSet catalogue(allApps);
  auto prune = [&catalogue](std::vector<std::string>& paths) {
    std::erase_if(paths, [&catalogue](const std::string& path) { return !catalogue.contains(path); });
  };

  prune(favorites);
  platform.defaults.setObject(keys::kFavorites, stringArrayValue(favorites));
  prune(menubar);
  platform.defaults.setObject(keys::kMenubar, stringArrayValue(menubar));
  for (auto& [category, members] : categoriesApps) prune(members);
  saveCategories();
}

}  // namespace wendaro
