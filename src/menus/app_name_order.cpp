#include "menus/app_name_order.h"

#include <algorithm>
#include <numeric>

#include "discovery/app_names.h"

namespace wendaro {

std::vector<std::size_t> appNameOrder(const std::vector<std::string>& appPaths) {
  std::vector<std::string> keys;
  keys.reserve(appPaths.size());
  for (const auto& path : appPaths) keys.push_back(appNameKey(path));
  std::vector<std::size_t> order(appPaths.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return order;
}

std::vector<std::string> sortedInAppNameOrder(const std::vector<std::string>& appPaths) {
  std::vector<std::string> sorted;
  sorted.reserve(appPaths.size());
  for (std::size_t index : appNameOrder(appPaths)) sorted.push_back(appPaths[index]);
  return sorted;
}

}  // namespace wendaro
