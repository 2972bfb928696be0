#include "desktop/store/text_checks.h"

#include <cstdio>

namespace wendaro {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool isXmlCharacter(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

std::optional<std::u32string> decodeUtf8(std::string_view text) {
  std::u32string decoded;
  decoded.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) return std::nullopt;
    char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (size_t k = 1; k < length; ++k) {
      auto byte = static_cast<unsigned char>(text[i + k]);
      if (!isContinuation(byte)) return std::nullopt;
      c = (c << 6) | (byte & 0x3F);
    }
    static constexpr char32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallestOfLength[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    decoded.push_back(c);
    i += length;
  }
  return decoded;
}

std::string codePointName(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

std::optional<std::string> whyNotXmlText(std::string_view text) {
  auto decoded = decodeUtf8(text);
  if (!decoded) return "it is not UTF-8 text";
  for (char32_t c : *decoded) {
    if (c == 0xD) return "it holds a carriage return, which XML readers turn into a line feed";
    if (!isXmlCharacter(c)) return "it holds the character " + codePointName(c) + ", which XML cannot hold";
  }
  return std::nullopt;
}

}  // namespace wendaro
