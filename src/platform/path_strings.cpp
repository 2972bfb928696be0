#include "platform/path_strings.h"

#include <optional>

namespace wendaro {

namespace {

// Collapses runs of slashes and drops a trailing slash (but keeps "/").
std::string fixSlashes(std::string_view path) {
  std::string fixed;
  fixed.reserve(path.size());
  for (char c : path) {
    if (c == '/' && !fixed.empty() && fixed.back() == '/') continue;
    fixed.push_back(c);
  }
  if (fixed.size() > 1 && fixed.back() == '/') fixed.pop_back();
  return fixed;
}

std::size_t startOfLastComponent(const std::string& fixed) {
  auto slash = fixed.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// Index just past the dot that starts the extension, if the last component
// has one.
std::optional<std::size_t> startOfExtension(const std::string& fixed) {
  std::size_t start = startOfLastComponent(fixed);
  auto dot = fixed.rfind('.');
  if (dot == std::string::npos || dot < start) return std::nullopt;
  if (dot == start) return std::nullopt;  // ".tiff", "."
  if (dot + 1 == fixed.size() && dot == start + 1 && fixed[start] == '.') return std::nullopt;  // ".."
  return dot + 1;
}

}  // namespace

std::string lastPathComponent(std::string_view path) {
  std::string fixed = fixSlashes(path);
  if (fixed.size() <= 1) return fixed;
  return fixed.substr(startOfLastComponent(fixed));
}

std::string stringByDeletingPathExtension(std::string_view path) {
  std::string fixed = fixSlashes(path);
  if (fixed.size() <= 1) return fixed;
  auto start = startOfExtension(fixed);
  if (!start) return fixed;
  return fixed.substr(0, *start - 1);
}

std::string pathExtension(std::string_view path) {
  std::string fixed = fixSlashes(path);
  if (fixed.size() <= 1) return {};
  auto start = startOfExtension(fixed);
  if (!start) return {};
  return fixed.substr(*start);
}

std::string displayName(std::string_view appPath) {
  return lastPathComponent(stringByDeletingPathExtension(appPath));
}

}  // namespace wendaro
