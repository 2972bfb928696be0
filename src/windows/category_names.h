#pragma once

#include <string>
#include <vector>

namespace wendaro {

// A category name is accepted when something is left after every space
// (U+0020) is taken out; other white space counts as content.
bool isAcceptableCategoryName(const std::string& name);

// `wanted` when no category has that name, else the first of "wanted 2",
// "wanted 3", ... that is free. Names compare exactly.
std::string uniqueCategoryName(const std::string& wanted, const std::vector<std::string>& names);

}  // namespace wendaro
