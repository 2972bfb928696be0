#include "discovery/app_titles.h"

#include <unicode/utf8.h>

#include "platform/path_strings.h"

namespace wendaro {

// Bytes that are not UTF-8 are left as they are.
std::string oneLineTitle(std::string_view text) {
  std::string line(text);
  auto* bytes = reinterpret_cast<uint8_t*>(line.data());
  const auto length = static_cast<int32_t>(line.size());
  for (int32_t i = 0; i < length;) {
    if (bytes[i] < 0x80) {
      if (bytes[i] < 0x20 || bytes[i] == 0x7F) bytes[i] = ' ';
      ++i;
      continue;
    }
    const int32_t start = i;
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c >= 0x80 && c <= 0x9F) line.replace(static_cast<std::size_t>(start), 2, "  ");
  }
  return line;
}

std::string_view AppTitles::of(std::string_view appPath) const {
  if (titles_.empty()) return displayNameView(appPath);
  auto found = titles_.find(appPath);
  return found == titles_.end() ? displayNameView(appPath) : std::string_view(found->second);
}

}  // namespace wendaro
