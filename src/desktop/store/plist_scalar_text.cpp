#include "desktop/store/plist_scalar_text.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <string>

namespace wendaro {

locale_t classicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return locale;
}

namespace {

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isXmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isXmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), isDigit); }

// The digits of a field of fixed width, or -1.
int field(std::string_view text, size_t at, size_t width) {
  std::string_view digits = text.substr(at, width);
  if (digits.size() != width || !allDigits(digits)) return -1;
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the civil date (proleptic Gregorian calendar).
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2;
  std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  std::int64_t yearOfEra = year - era * 400;
  std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool isDecimalNumber(std::string_view text) {
  size_t i = 0;
  auto digitsFrom = [&](size_t start) {
    size_t end = start;
    while (end < text.size() && isDigit(text[end])) ++end;
    return end - start;
  };
  size_t whole = digitsFrom(i);
  i += whole;
  size_t fraction = 0;
  if (i < text.size() && text[i] == '.') {
    fraction = digitsFrom(++i);
    i += fraction;
  }
  if (whole + fraction == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent = digitsFrom(i);
    if (exponent == 0) return false;
    i += exponent;
  }
  return i == text.size();
}

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

int base64Digit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (isDigit(c)) return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::optional<std::int64_t> integerFromPlistText(std::string_view text) {
  text = trimmed(text);
  std::string_view digits = !text.empty() && text.front() == '-' ? text.substr(1) : text;
  if (!allDigits(digits)) return std::nullopt;
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> realFromPlistText(std::string_view text) {
  text = trimmed(text);
  bool negative = !text.empty() && text.front() == '-';
  std::string magnitude(!text.empty() && (text.front() == '-' || text.front() == '+') ? text.substr(1) : text);
  std::string word = lowerCase(magnitude);
  double value = 0;
  if (word == "nan") {
    value = std::numeric_limits<double>::quiet_NaN();
  } else if (word == "inf" || word == "infinity") {
    value = std::numeric_limits<double>::infinity();
  } else if (isDecimalNumber(magnitude)) {
    // A number beyond the range reads as infinity or zero, as in every reader.
    value = strtod_l(magnitude.c_str(), nullptr, classicLocale());
  } else {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::optional<std::int64_t> dateFromPlistText(std::string_view text) {
  text = trimmed(text);
  if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != 'Z') {
    return std::nullopt;
  }
  int year = field(text, 0, 4), month = field(text, 5, 2), day = field(text, 8, 2);
  int hour = field(text, 11, 2), minute = field(text, 14, 2), second = field(text, 17, 2);
  if (year < 0 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour < 0 ||
      hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return std::nullopt;
  }
  constexpr std::int64_t kReferenceDateSince1970 = 978307200;
  return daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - kReferenceDateSince1970;
}

std::optional<std::vector<std::uint8_t>> dataFromPlistText(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (!isXmlSpace(c)) digits.push_back(c);
  }
  if (digits.size() % 4 != 0) return std::nullopt;
  size_t padding = 0;
  while (padding < 2 && padding < digits.size() && digits[digits.size() - 1 - padding] == '=') ++padding;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(digits.size() / 4 * 3);
  std::uint32_t group = 0;
  for (size_t i = 0; i < digits.size() - padding; ++i) {
    int digit = base64Digit(digits[i]);
    if (digit < 0) return std::nullopt;
    group = (group << 6) | static_cast<std::uint32_t>(digit);
    if (i % 4 == 3) {
      bytes.push_back(static_cast<std::uint8_t>(group >> 16));
      bytes.push_back(static_cast<std::uint8_t>(group >> 8));
      bytes.push_back(static_cast<std::uint8_t>(group));
      group = 0;
    }
  }
  if (padding == 2) {
    if (group & 0xF) return std::nullopt;  // bits that no byte holds
    bytes.push_back(static_cast<std::uint8_t>(group >> 4));
  } else if (padding == 1) {
    if (group & 0x3) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(group >> 10));
    bytes.push_back(static_cast<std::uint8_t>(group >> 2));
  }
  return bytes;
}

}  // namespace wendaro
