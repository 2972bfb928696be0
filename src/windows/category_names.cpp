#include "windows/category_names.h"

#include <algorithm>

namespace wendaro {

bool isAcceptableCategoryName(const std::string& name) {
  return std::any_of(name.begin(), name.end(), [](char c) { return c != ' '; });
}

std::string uniqueCategoryName(const std::string& wanted, const std::vector<std::string>& names) {
  auto taken = [&](const std::string& name) { return std::find(names.begin(), names.end(), name) != names.end(); };
  if (!taken(wanted)) return wanted;
  for (unsigned long number = 2;; ++number) {
    std::string candidate = wanted + " " + std::to_string(number);
    if (!taken(candidate)) return candidate;
  }
}

}  // namespace wendaro
