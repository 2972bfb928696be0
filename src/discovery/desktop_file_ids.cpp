#include "discovery/desktop_file_ids.h"

#include <algorithm>

#include "platform/path_strings.h"

namespace wendaro {

std::optional<std::string> desktopFileId(std::string_view root, std::string_view path) {
  if (path.size() <= root.size() + 1 || !path.starts_with(root) || path[root.size()] != '/') return std::nullopt;
  std::string_view below = path.substr(root.size() + 1);
  if (lastPathComponent(root) != "applications") {
    for (std::size_t start = 0;;) {
      const std::size_t end = below.find('/', start);
      if (end == std::string_view::npos) return std::nullopt;
      if (below.substr(start, end - start) == "applications") {
        below.remove_prefix(end + 1);
        break;
      }
      start = end + 1;
    }
  }
  std::string id(below);
  std::replace(id.begin(), id.end(), '/', '-');
  return id;
}

}  // namespace wendaro
