#include "menus/same_titles.h"

#include <string_view>
#include <unordered_map>

#include "app/wendaro_menu_item.h"

namespace wendaro {

namespace {

const WendaroMenuItem* appEntry(const MenuItemRef& item) {
  if (item->action() != Action::LaunchAppWithItem) return nullptr;
  const auto* entry = dynamic_cast<const WendaroMenuItem*>(item.get());
  return entry && entry->launchString ? entry : nullptr;
}

// "/Applications/Utilities/Disk Utility.app" -> "/Applications/Utilities".
std::string folderOf(const std::string& appPath) {
  std::string_view path = appPath;
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return std::string(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
}

}  // namespace

void showFoldersOfSameTitles(Menu& menu, long begin, long end) {
  std::unordered_map<std::string_view, int> titles;
  for (long i = begin; i < end; ++i) {
    if (appEntry(menu.itemAtIndex(i))) ++titles[menu.itemAtIndex(i)->title()];
  }
  for (long i = begin; i < end; ++i) {
    const MenuItemRef& item = menu.itemAtIndex(i);
    if (const WendaroMenuItem* entry = appEntry(item); entry && titles[item->title()] > 1) {
      item->setSubtitle(folderOf(*entry->launchString));
    }
  }
}

}  // namespace wendaro
