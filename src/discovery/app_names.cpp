#include "discovery/app_names.h"

#include "platform/ascii_case.h"
#include "platform/path_strings.h"

#include <unicode/bytestream.h>
#include <unicode/casemap.h>
#include <unicode/normalizer2.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <utility>

#include "app/app_delegate.h"

namespace wendaro {

namespace {

icu::StringPiece piece(std::string_view text) {
  return icu::StringPiece(text.data(), static_cast<int32_t>(text.size()));
}

// NFC of UTF-8 text that is not all ASCII. Text ICU cannot take stays as it is.
std::string composeNonAscii(std::string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) return std::string(text);
  std::string composed;
  composed.reserve(text.size());
  icu::StringByteSink<std::string> sink(&composed);
  nfc->normalizeUTF8(0, piece(text), sink, nullptr, status);
  return U_FAILURE(status) ? std::string(text) : composed;
}

// Full lower-case mapping of the root locale ("" is root; a null locale would
// be the user's), final sigma and U+0130 included.
std::string lowerNonAscii(std::string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  std::string lowered;
  lowered.reserve(text.size());
  icu::StringByteSink<std::string> sink(&lowered);
  icu::CaseMap::utf8ToLower("", 0, piece(text), sink, nullptr, status);
  return U_FAILURE(status) ? std::string(text) : lowered;
}

}  // namespace

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isValidUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  if (text.size() > static_cast<std::size_t>(INT32_MAX)) return false;
  int32_t i = 0;
  while (i < length) {
    if (bytes[i] < 0x80) {
      ++i;
      continue;
    }
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) return false;
  }
  return true;
}

std::optional<std::string_view> whyNotAnAppPathName(std::string_view name) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(name.data());
  if (name.size() > static_cast<std::size_t>(INT32_MAX)) return "the name is too long";
  const auto length = static_cast<int32_t>(name.size());
  for (int32_t i = 0; i < length;) {
    if (bytes[i] < 0x80) {
      if (bytes[i] < 0x20 || bytes[i] == 0x7F) return "the name holds a control character";
      ++i;
      continue;
    }
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) return "the name is not valid UTF-8";
    if (c <= 0x9F) return "the name holds a control character";
    if (c == 0xFFFE || c == 0xFFFF) return "the name holds a character that cannot be stored";
  }
  return std::nullopt;
}

std::string nameKey(std::string_view title) {
  if (isAscii(title)) {
    std::string key(title);
    for (char& c : key) c = asciiLower(c);
    return key;
  }
  return composeNonAscii(lowerNonAscii(title));
}

std::string appNameKey(std::string_view appPath, const AppTitles& titles) { return nameKey(titles.of(appPath)); }

// UTF-8 byte order is code point order, and std::string compares bytes as
// unsigned, so the keys compare as strings.
bool appSortsBefore(std::string_view a, std::string_view b, const AppTitles& titles) {
  return appNameKey(a, titles) < appNameKey(b, titles);
}

std::vector<std::size_t> appNameOrder(const std::vector<std::string>& appPaths, const AppTitles& titles) {
  std::vector<std::string> keys;
  keys.reserve(appPaths.size());
  for (const std::string& path : appPaths) keys.push_back(appNameKey(path, titles));
  return nameKeyOrder(std::move(keys));
}

std::vector<std::size_t> nameKeyOrder(std::vector<std::string> keys) {
  // Keys sit beside their positions, so the sort compares neighbours in
  // memory rather than jumping through a second array.
  std::vector<std::pair<std::string, std::size_t>> keyed;
  keyed.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) keyed.emplace_back(std::move(keys[i]), i);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::size_t> order;
  order.reserve(keyed.size());
  for (const auto& entry : keyed) order.push_back(entry.second);
  return order;
}

void sortInAppNameOrder(std::vector<std::string>& appPaths, const AppTitles& titles) {
  std::vector<std::string> sorted;
  sorted.reserve(appPaths.size());
  for (std::size_t index : appNameOrder(appPaths, titles)) sorted.push_back(std::move(appPaths[index]));
  appPaths = std::move(sorted);
}

bool AppDelegate::appSortsBefore(const std::string& a, const std::string& b) const {
  return wendaro::appSortsBefore(a, b, appTitles);
}

}  // namespace wendaro
