#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace wendaro {

// A set of app paths that answers "is this path equal to one of them" by path
// equality (see app_names.h), hashing each path's NFC form instead of
// comparing against every entry. It refers to the paths it is made from,
// which must outlive it unchanged.
class PathSet {
 public:
  explicit PathSet(const std::vector<std::string>& paths);
  PathSet(const PathSet&) = delete;
  PathSet& operator=(const PathSet&) = delete;

  bool contains(std::string_view path) const;

 private:
  // NFC forms that differ from the path they come from.
  std::deque<std::string> composedForms_;
  std::unordered_set<std::string_view> forms_;
};

}  // namespace wendaro
