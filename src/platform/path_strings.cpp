#include "platform/path_strings.h"

#include <optional>

namespace wendaro {

namespace {

// The path with runs of slashes as one and no trailing slash ("/" stays).
// Most paths are so already and come back as they are, without a copy;
// otherwise the cleaned path is built in `storage`.
std::string_view fixedSlashes(std::string_view path, std::string& storage) {
  const bool trailingSlash = path.size() > 1 && path.back() == '/';
  if (!trailingSlash && path.find("//") == std::string_view::npos) return path;
  storage.clear();
  storage.reserve(path.size());
  for (char c : path) {
    if (c == '/' && !storage.empty() && storage.back() == '/') continue;
    storage.push_back(c);
  }
  if (storage.size() > 1 && storage.back() == '/') storage.pop_back();
  return storage;
}

// The last component of a fixed path ("/" and "" are their own).
std::string_view lastComponentOf(std::string_view fixed) {
  if (fixed.size() <= 1) return fixed;
  auto slash = fixed.rfind('/');
  return slash == std::string_view::npos ? fixed : fixed.substr(slash + 1);
}

// Index just past the dot that starts the extension of a fixed path's last
// component, if it has one.
std::optional<std::size_t> startOfExtension(std::string_view fixed) {
  if (fixed.size() <= 1) return std::nullopt;
  auto slash = fixed.rfind('/');
  const std::size_t start = slash == std::string_view::npos ? 0 : slash + 1;
  auto dot = fixed.rfind('.');
  if (dot == std::string_view::npos || dot < start) return std::nullopt;
  if (dot == start) return std::nullopt;  // ".tiff", "."
  if (dot + 1 == fixed.size() && dot == start + 1 && fixed[start] == '.') return std::nullopt;  // ".."
  return dot + 1;
}

std::string_view withoutExtension(std::string_view fixed) {
  auto start = startOfExtension(fixed);
  return start ? fixed.substr(0, *start - 1) : fixed;
}

}  // namespace

std::string lastPathComponent(std::string_view path) {
  std::string storage;
  return std::string(lastComponentOf(fixedSlashes(path, storage)));
}

std::string stringByDeletingPathExtension(std::string_view path) {
  std::string storage;
  return std::string(withoutExtension(fixedSlashes(path, storage)));
}

std::string pathExtension(std::string_view path) {
  std::string storage;
  std::string_view fixed = fixedSlashes(path, storage);
  auto start = startOfExtension(fixed);
  return start ? std::string(fixed.substr(*start)) : std::string();
}

// Only the last component matters, so runs of slashes before it need no
// cleaning: the name is always a part of the path itself.
std::string_view displayNameView(std::string_view appPath) {
  std::size_t end = appPath.size();
  while (end > 1 && appPath[end - 1] == '/') --end;
  std::string_view trimmed = appPath.substr(0, end);
  if (trimmed.size() <= 1) return trimmed;
  return lastComponentOf(withoutExtension(trimmed));
}

std::string displayName(std::string_view appPath) { return std::string(displayNameView(appPath)); }

}  // namespace wendaro
