#include "launch/shortcut_keys.h"

#include <array>
#include <charconv>

namespace wendaro {

std::string timeDigits(double secondsSinceReferenceDate) {
  // Room for the longest shortest form: a sign and 309 integer digits, or
  // "0." and some 340 fractional digits for the smallest magnitudes.
  std::array<char, 512> buffer{};
  auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), secondsSinceReferenceDate, std::chars_format::fixed);
  std::string written(buffer.data(), error == std::errc{} ? end : buffer.data());
  if (written.find('.') == std::string::npos) written += ".0";
  std::string digits;
  digits.reserve(written.size());
  for (char c : written) {
    if (c != '.') digits.push_back(c);
  }
  return digits;
}

std::string newShortcutKey(bool isCategory, double secondsSinceReferenceDate) {
  return std::string(isCategory ? "c" : "a") + "sh" + timeDigits(secondsSinceReferenceDate);
}

}  // namespace wendaro
