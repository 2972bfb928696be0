#include "discovery/path_set.h"

#include "discovery/app_names.h"

namespace wendaro {

PathSet::PathSet(const std::vector<std::string>& paths) {
  forms_.reserve(paths.size());
  for (const std::string& path : paths) {
    if (isAscii(path)) {
      forms_.insert(path);
      continue;
    }
    std::string composed = canonicalComposition(path);
    if (composed == path) {
      forms_.insert(path);
    } else {
      forms_.insert(composedForms_.emplace_back(std::move(composed)));
    }
  }
}

bool PathSet::contains(std::string_view path) const {
  if (isAscii(path)) return forms_.contains(path);
  return forms_.contains(canonicalComposition(path));
}

}  // namespace wendaro
