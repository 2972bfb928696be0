#include "desktop/linux/key_file_lines.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>

#include "platform/ascii_case.h"

namespace wendaro {

namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The position after the character at `i`: one byte, and any continuation
// bytes after it.
std::size_t nextCharacter(std::string_view text, std::size_t i) {
  ++i;
  while (i < text.size() && isContinuationByte(text[i])) ++i;
  return i;
}

// A letter or a number of any script, as a locale in a key may hold.
bool isLetterOrNumberAt(std::string_view text, std::size_t i) {
  const char ascii = text[i];
  if (static_cast<unsigned char>(ascii) < 0x80) {
    return (ascii >= '0' && ascii <= '9') || (ascii >= 'a' && ascii <= 'z') || (ascii >= 'A' && ascii <= 'Z');
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  auto at = static_cast<int32_t>(i);
  UChar32 c;
  U8_NEXT(bytes, at, length, c);
  if (c < 0) return false;
  switch (u_charType(c)) {
    case U_DECIMAL_DIGIT_NUMBER:
    case U_LETTER_NUMBER:
    case U_OTHER_NUMBER:
    case U_UPPERCASE_LETTER:
    case U_LOWERCASE_LETTER:
    case U_TITLECASE_LETTER:
    case U_MODIFIER_LETTER:
    case U_OTHER_LETTER:
      return true;
    default:
      return false;
  }
}

// A group header: "[", a name without "]", "]", then only spaces and tabs.
bool isGroupLine(std::string_view line) {
  if (line.empty() || line[0] != '[') return false;
  const std::size_t close = line.find(']', 1);
  if (close == std::string_view::npos) return false;
  std::size_t i = nextCharacter(line, close);
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) i = nextCharacter(line, i);
  return i >= line.size();
}

bool isGroupName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '[' || c == ']' || byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

// A key: no "=", "[" or "]", not starting or ending with a space, then
// optionally a locale in brackets made of letters, numbers and "-_.@".
bool isKeyName(std::string_view key) {
  std::size_t q = 0;
  while (q < key.size() && key[q] != '=' && key[q] != '[' && key[q] != ']') ++q;
  if (q == 0) return false;
  if (key[0] == ' ' || key[q - 1] == ' ') return false;
  if (q < key.size() && key[q] == '[') {
    ++q;
    while (q < key.size()) {
      const char c = key[q];
      if (!(c == '-' || c == '_' || c == '.' || c == '@' || isLetterOrNumberAt(key, q))) break;
      q = nextCharacter(key, q);
    }
    if (q >= key.size() || key[q] != ']') return false;
    ++q;
  }
  return q >= key.size();
}

class Scanner {
 public:
  explicit Scanner(const KeyFileVisitor& visitor) : visitor_(visitor) {}

  // `raw` is one line without its line end; it may hold NUL bytes, and
  // everything but a group's closing bracket is read only up to the first.
  std::optional<std::string> line(std::string_view raw) {
    const std::string_view text = raw.substr(0, raw.find('\0'));
    std::size_t start = 0;
    while (start < text.size() && isKeyFileBlank(text[start])) ++start;
    if (start == text.size() || text[start] == '#') return std::nullopt;
    const std::string_view line = text.substr(start);
    if (isGroupLine(line)) return group(raw.substr(start));
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) {
      return "the line is neither a key, a group nor a comment";
    }
    return entry(line, equals, raw.substr(start));
  }

 private:
  std::optional<std::string> group(std::string_view raw) {
    std::string_view name = raw.substr(1, raw.rfind(']') - 1);
    name = name.substr(0, name.find('\0'));
    if (!isGroupName(name)) return "invalid group name";
    inGroup_ = true;
    if (!startGroup_) startGroup_ = std::string(name);
    inStartGroup_ = name == *startGroup_;
    visitor_.group(name);
    return std::nullopt;
  }

  std::optional<std::string> entry(std::string_view line, std::size_t equals, std::string_view raw) {
    if (!inGroup_) return "a key comes before the first group";
    std::size_t keyEnd = equals;
    while (isKeyFileBlank(line[keyEnd - 1])) --keyEnd;
    const std::string_view key = line.substr(0, keyEnd);
    if (!isKeyName(key)) return "invalid key name \"" + std::string(key) + "\"";
    std::size_t valueStart = equals + 1;
    while (valueStart < raw.size() && isKeyFileBlank(raw[valueStart])) ++valueStart;
    const std::string_view rawValue = raw.substr(valueStart);
    if (inStartGroup_ && key == "Encoding" && !equalsIgnoringAsciiCase(rawValue, "UTF-8")) {
      return "the encoding is not UTF-8";
    }
    visitor_.entry(key, rawValue.substr(0, rawValue.find('\0')));
    return std::nullopt;
  }

  const KeyFileVisitor& visitor_;
  bool inGroup_ = false;
  bool inStartGroup_ = false;
  std::optional<std::string> startGroup_;
};

}  // namespace

std::optional<KeyFileError> scanKeyFile(std::string_view text, const KeyFileVisitor& visitor) {
  Scanner scanner(visitor);
  std::size_t number = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    ++number;
    const std::size_t newline = text.find('\n', at);
    std::size_t end = newline == std::string_view::npos ? text.size() : newline;
    // A carriage return before a line feed ends the line with it; the last
    // line, without a line feed, keeps its own.
    if (newline != std::string_view::npos && end > at && text[end - 1] == '\r') --end;
    if (auto error = scanner.line(text.substr(at, end - at))) return KeyFileError{number, std::move(*error)};
    at = newline == std::string_view::npos ? text.size() : newline + 1;
  }
  return std::nullopt;
}

}  // namespace wendaro
