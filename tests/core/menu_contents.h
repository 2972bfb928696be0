#pragma once

#include <string>
#include <vector>

#include "app/wendaro_menu_item.h"
#include "platform/menu.h"

namespace wendaro::testing_support {

// The titles of a menu's entries, a separator as "---".
inline std::vector<std::string> titlesOf(const Menu& menu) {
  std::vector<std::string> titles;
  for (const auto& item : menu.items()) titles.push_back(item->isSeparatorItem() ? "---" : item->title());
  return titles;
}

// The launch strings of a menu's entries, "" where an entry has none.
inline std::vector<std::string> launchStringsOf(const Menu& menu) {
  std::vector<std::string> strings;
  for (const auto& item : menu.items()) {
    const auto* entry = dynamic_cast<const WendaroMenuItem*>(item.get());
    strings.push_back(entry && entry->launchString ? *entry->launchString : "");
  }
  return strings;
}

inline const WendaroMenuItem& asWendaroItem(const MenuItemRef& item) {
  return dynamic_cast<const WendaroMenuItem&>(*item);
}

// The end of every main menu as menu text (platform/menu_text.h): the
// separator below All Apps, Manage with its keyboard help, More and Quit.
inline const std::string kMainMenuEnd =
    "---\n"
    "Manage\n"
    "  Menu Bar\n"
    "  Favorites\n"
    "  Categories\n"
    "  Directories\n"
    "  Keyboard\n"
    "    You can manage keyboard shortcuts by holding\\nthe Option/Alt key while clicking on:\\n"
    "- Wendaro's menu bar icon,\\n- app's menu item,\\n- app's menu bar icon,\\n"
    "- \"Launch All\" item in category's menu.\n"
    "More\n"
    "  Launch at Startup\n"
    "  Check for Updates\n"
    "  Questions/Problems/Suggestions\n"
    "Quit\n";

}  // namespace wendaro::testing_support
