#include "settings/defaults_keys.h"

namespace wendaro {

std::vector<std::string> defaultDirectoryList() { return {"/Applications", "/System/Applications"}; }

}  // namespace wendaro
