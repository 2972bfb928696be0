#include "platform/url.h"

#include <cctype>

namespace wendaro {

namespace {

bool isSchemeChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string percentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      int hi = hexValue(text[i + 1]);
      int lo = hexValue(text[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
        continue;
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

// Characters a file URL's path keeps as they are.
bool keepsInPath(unsigned char c) {
  return std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~' || c == '!' ||
         c == '$' || c == '&' || c == '\'' || c == '(' || c == ')' || c == '*' || c == '+' ||
         c == ',' || c == ';' || c == '=' || c == ':' || c == '@';
}

}  // namespace

std::optional<Url> Url::withString(std::string_view text) {
  auto colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return std::nullopt;
  for (std::size_t i = 1; i < colon; ++i) {
    if (!isSchemeChar(text[i])) return std::nullopt;
  }
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7f) return std::nullopt;
  }
  return Url(std::string(text));
}

Url Url::fileURLWithPath(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string absolute = "file://";
  for (char c : path) {
    auto u = static_cast<unsigned char>(c);
    if (keepsInPath(u)) {
      absolute.push_back(c);
    } else {
      absolute.push_back('%');
      absolute.push_back(kHex[u >> 4]);
      absolute.push_back(kHex[u & 0xf]);
    }
  }
  return Url(std::move(absolute));
}

std::string Url::scheme() const {
  std::string scheme = absolute_.substr(0, absolute_.find(':'));
  for (auto& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return scheme;
}

std::string Url::path() const {
  std::string_view rest(absolute_);
  rest.remove_prefix(rest.find(':') + 1);
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    auto slash = rest.find('/');
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
  }
  rest = rest.substr(0, rest.find_first_of("?#"));
  return percentDecode(rest);
}

}  // namespace wendaro
