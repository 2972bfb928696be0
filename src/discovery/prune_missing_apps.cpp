#include <algorithm>

#include "app/app_delegate.h"
#include "discovery/path_set.h"
#include "settings/defaults_keys.h"

namespace wendaro {

namespace {

// The catalogue's paths that one of the lists names. The lists are short and
// the catalogue long, so the lists are hashed and the catalogue only read.
std::vector<std::string> listedInCatalogue(const AppDelegate& app) {
  std::vector<std::string> listed = app.favorites;
  listed.insert(listed.end(), app.menubar.begin(), app.menubar.end());
  for (const auto& [category, members] : app.categoriesApps) listed.insert(listed.end(), members.begin(), members.end());
  std::vector<std::string> found;
  if (listed.empty()) return found;
  const PathSet wanted(listed);
  for (const std::string& path : app.allApps) {
    if (wanted.contains(path)) found.push_back(path);
  }
  return found;
}

}  // namespace

// Drops from the favourites, the pins and every category's members each path
// that the catalogue does not hold (by path equality), keeping the order of
// the rest, and saves the three at once whether or not anything changed.
// Removing every copy of a missing path in one pass is what removing the
// first equal entry once per listed copy comes to.
void AppDelegate::pruneMissingApps() {
  const std::vector<std::string> found = listedInCatalogue(*this);
  const PathSet catalogue(found);
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
