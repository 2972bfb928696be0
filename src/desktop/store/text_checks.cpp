#include "desktop/store/text_checks.h"

#include <unicode/utf8.h>

#include <cstdint>
#include <cstdio>

#include "discovery/app_names.h"

namespace wendaro {

namespace {

bool isXmlCharacter(UChar32 c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

std::string codePointName(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

std::optional<std::string> whyNotXmlText(std::string_view text) {
  if (!isValidUtf8(text)) return "it is not UTF-8 text";
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c == 0xD) return "it holds a carriage return, which XML readers turn into a line feed";
    if (!isXmlCharacter(c)) {
      return "it holds the character " + codePointName(static_cast<char32_t>(c)) + ", which XML cannot hold";
    }
  }
  return std::nullopt;
}

}  // namespace wendaro
