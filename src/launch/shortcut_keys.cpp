#include "launch/shortcut_keys.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace wendaro {

std::string timeDigits(double secondsSinceReferenceDate) {
  // Room for the longest shortest form: a sign and 309 integer digits, or
  // "0." and some 340 fractional digits for the smallest magnitudes.
  std::array<char, 512> buffer{};
  auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), secondsSinceReferenceDate, std::chars_format::fixed);
  std::string digits(buffer.data(), error == std::errc{} ? end : buffer.data());
  // A whole number is written without a point; its fractional digit is 0.
  if (auto point = digits.find('.'); point != std::string::npos) {
    digits.erase(point, 1);
  } else {
    digits += '0';
  }
  return digits;
}

std::string newShortcutKey(bool isCategory, double secondsSinceReferenceDate) {
  return std::string(isCategory ? "c" : "a") + "sh" + timeDigits(secondsSinceReferenceDate);
}

bool isMintedShortcutKey(std::string_view shortcutKey) {
  if (!shortcutKey.starts_with("ash") && !shortcutKey.starts_with("csh")) return false;
  const std::string_view digits = shortcutKey.substr(3);
  return !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isCategoryShortcutKey(std::string_view shortcutKey) { return shortcutKey.starts_with("csh"); }

}  // namespace wendaro
