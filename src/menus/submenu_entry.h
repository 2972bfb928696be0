#pragma once

#include <memory>
#include <string>

#include "platform/menu.h"

namespace wendaro {

// A plain entry without action or key equivalent that opens `submenu`.
inline MenuItemRef submenuEntry(std::string title, std::shared_ptr<Menu> submenu) {
  auto entry = std::make_shared<MenuItem>(std::move(title), Action::None, "");
  entry->setSubmenu(std::move(submenu));
  return entry;
}

}  // namespace wendaro
