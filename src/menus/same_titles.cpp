#include "menus/same_titles.h"

#include <string_view>
#include <vector>

#include "app/wendaro_menu_item.h"
#include "discovery/app_names.h"
#include "platform/ascii_case.h"

namespace wendaro {

namespace {

const WendaroMenuItem* appEntry(const MenuItemRef& item) {
  if (item->action() != Action::LaunchAppWithItem) return nullptr;
  const auto* entry = dynamic_cast<const WendaroMenuItem*>(item.get());
  return entry && entry->launchString ? entry : nullptr;
}

// "/opt/apps/Tools/Tide Tables.app" -> "/opt/apps/Tools".
std::string folderOf(const std::string& appPath) {
  std::string_view path = appPath;
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return std::string(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
}

// Whether two titles have the same name key; ASCII titles without working
// the key out.
bool sameNameKey(std::string_view a, std::string_view b) {
  if (isAscii(a) && isAscii(b)) return equalsIgnoringAsciiCase(a, b);
  return nameKey(a) == nameKey(b);
}

void showFoldersWithin(const std::vector<const MenuItemRef*>& run) {
  for (std::size_t i = 0; i < run.size(); ++i) {
    for (std::size_t j = 0; j < run.size(); ++j) {
      if (i != j && (*run[i])->title() == (*run[j])->title()) {
        const MenuItemRef& item = *run[i];
        item->setSubtitle(folderOf(*static_cast<const WendaroMenuItem&>(*item).launchString));
        break;
      }
    }
  }
}

}  // namespace

// The entries are in app name order, so apps of one title, whose name keys
// are equal, lie in one run of entries of equal name keys, usually of one
// entry: each run is looked at by itself, and a long menu costs one pass.
void showFoldersOfSameTitles(Menu& menu, long begin, long end) {
  std::vector<const MenuItemRef*> run;
  for (long i = begin; i < end; ++i) {
    const MenuItemRef& item = menu.itemAtIndex(i);
    if (!appEntry(item)) continue;
    if (!run.empty() && !sameNameKey((*run.back())->title(), item->title())) {
      showFoldersWithin(run);
      run.clear();
    }
    run.push_back(&item);
  }
  showFoldersWithin(run);
}

}  // namespace wendaro
