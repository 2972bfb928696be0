#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace wendaro {

// A title as one line: each control character (C0, DEL, C1) as a space.
std::string oneLineTitle(std::string_view title);

// The titles the desktop gave to the apps of its own kinds (desktop entries,
// AppImages), by app path. Every other app is titled by its display name
// ("/opt/apps/Quill Pad.app" -> "Quill Pad").
class AppTitles {
 public:
  void set(const std::string& appPath, std::string title) { titles_[appPath] = std::move(title); }
  std::string_view of(std::string_view appPath) const;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, std::string, Hash, std::equal_to<>> titles_;
};

}  // namespace wendaro
