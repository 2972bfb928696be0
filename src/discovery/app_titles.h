#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace wendaro {

// The titles the desktop gave to the apps of its own kinds (desktop entries,
// AppImages), by app path. Every other app is titled by its display name
// ("/Applications/Mail.app" -> "Mail").
class AppTitles {
 public:
  // Control characters in a title are shown as spaces: a title is one line.
  void set(const std::string& appPath, std::string_view title);
  std::string_view of(std::string_view appPath) const;
  bool empty() const { return titles_.empty(); }

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, std::string, Hash, std::equal_to<>> titles_;
};

}  // namespace wendaro
