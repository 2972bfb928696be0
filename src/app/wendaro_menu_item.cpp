#include "app/wendaro_menu_item.h"

namespace wendaro {

WendaroMenuItem::WendaroMenuItem(std::string title, Action action, std::string keyEquivalent)
    : MenuItem(std::move(title), action, std::move(keyEquivalent)) {}

WendaroMenuItem::WendaroMenuItem(const MenuItemRecord& record) : MenuItem(record) {}

}  // namespace wendaro
