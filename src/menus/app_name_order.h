#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace wendaro {

// The positions of `appPaths` in app name order: by lower-cased display name,
// code point by code point, equal names in the order given. Each name key is
// computed once, so long lists sort in n log n comparisons of plain strings.
std::vector<std::size_t> appNameOrder(const std::vector<std::string>& appPaths);

// A copy of `appPaths` in app name order.
std::vector<std::string> sortedInAppNameOrder(const std::vector<std::string>& appPaths);

}  // namespace wendaro
