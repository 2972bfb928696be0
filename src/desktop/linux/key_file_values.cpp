#include "desktop/linux/key_file_values.h"

#include "desktop/linux/key_file_lines.h"
#include "discovery/app_names.h"

namespace wendaro {

namespace {

constexpr char kListSeparator = ';';

// Undoes the escapes of `value`; with `items`, also splits it at unescaped
// separators. Says whether every escape was known.
bool unescape(std::string_view value, std::string& text, std::vector<std::string>* items) {
  bool known = true;
  std::size_t itemStart = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c != '\\') {
      if (items && c == kListSeparator) {
        items->push_back(text.substr(itemStart));
        itemStart = text.size() + 1;
      }
      text += c;
      continue;
    }
    if (++i == value.size()) return false;  // a backslash at the end is dropped
    switch (value[i]) {
      case 's': text += ' '; break;
      case 'n': text += '\n'; break;
      case 't': text += '\t'; break;
      case 'r': text += '\r'; break;
      case '\\': text += '\\'; break;
      default:
        if (items && value[i] == kListSeparator) {
          text += kListSeparator;
        } else {
          text += '\\';
          text += value[i];
          known = false;
        }
    }
  }
  if (items && itemStart < text.size()) items->push_back(text.substr(itemStart));
  return known;
}

}  // namespace

std::optional<std::string> keyFileString(std::string_view value) {
  if (!isValidUtf8(value)) return std::nullopt;
  std::string text;
  text.reserve(value.size());
  unescape(value, text, nullptr);
  return text;
}

std::optional<std::vector<std::string>> keyFileList(std::string_view value) {
  if (!isValidUtf8(value)) return std::nullopt;
  std::string text;
  std::vector<std::string> items;
  if (!unescape(value, text, &items)) return std::nullopt;
  return items;
}

bool keyFileBoolean(std::string_view value) {
  while (!value.empty() && isKeyFileBlank(value.back())) value.remove_suffix(1);
  return value == "true" || value == "1";
}

}  // namespace wendaro
