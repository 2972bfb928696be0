#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/menu.h"

namespace wendaro {

// A menu entry that carries what its action works on: an app path, a category
// name, or the name of a built-in category.
class WendaroMenuItem : public MenuItem {
 public:
  WendaroMenuItem(std::string title, Action action, std::string keyEquivalent);
  explicit WendaroMenuItem(const MenuItemRecord& record);

  std::optional<std::string> launchString;
  bool isHardcodedCategory = false;
};

using WendaroMenuItemRef = std::shared_ptr<WendaroMenuItem>;

}  // namespace wendaro
