#include "platform/menu.h"

#include <stdexcept>

namespace wendaro {

MenuItem::MenuItem(std::string title, Action action, std::string keyEquivalent)
    : title_(std::move(title)), action_(action), keyEquivalent_(std::move(keyEquivalent)) {}

MenuItem::MenuItem(const MenuItemRecord& record)
    : MenuItem(record.title, record.action, record.keyEquivalent) {}

std::shared_ptr<MenuItem> MenuItem::separatorItem() {
  std::shared_ptr<MenuItem> item(new MenuItem());
  item->separator_ = true;
  return item;
}

void Menu::addItem(MenuItemRef item) {
  items_.push_back(std::move(item));
  ++revision_;
}

void Menu::insertItemAtIndex(MenuItemRef item, long index) {
  if (index < 0 || index > numberOfItems()) throw std::out_of_range("menu index");
  items_.insert(items_.begin() + index, std::move(item));
  ++revision_;
}

void Menu::removeItemAtIndex(long index) {
  if (index < 0 || index >= numberOfItems()) throw std::out_of_range("menu index");
  items_.erase(items_.begin() + index);
  ++revision_;
}

void Menu::removeAllItems() {
  items_.clear();
  ++revision_;
}

MenuItemRef Menu::addItemWithTitle(std::string title, Action action, std::string keyEquivalent) {
  auto item = std::make_shared<MenuItem>(std::move(title), action, std::move(keyEquivalent));
  addItem(item);
  return item;
}

long Menu::indexOfItem(const MenuItem* item) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == item) return static_cast<long>(i);
  }
  return -1;
}

}  // namespace wendaro
