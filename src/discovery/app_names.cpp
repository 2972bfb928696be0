#include "discovery/app_names.h"

#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <algorithm>

#include "app/app_delegate.h"
#include "platform/path_strings.h"

namespace wendaro {

namespace {

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string toUtf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

icu::UnicodeString normalized(const icu::UnicodeString& text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) return text;
  icu::UnicodeString composed = nfc->normalize(text, status);
  return U_FAILURE(status) ? text : composed;
}

}  // namespace

std::string canonicalComposition(std::string_view text) {
  if (isAscii(text)) return std::string(text);
  return toUtf8(normalized(icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())))));
}

std::string appNameKey(std::string_view appPath) {
  std::string name = displayName(appPath);
  if (isAscii(name)) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
    return name;
  }
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
  text.toLower(icu::Locale::getRoot());
  return toUtf8(normalized(text));
}

// UTF-8 byte order is code point order, so the keys compare as bytes.
bool appSortsBefore(std::string_view a, std::string_view b) { return appNameKey(a) < appNameKey(b); }

bool pathsEqual(std::string_view a, std::string_view b) {
  if (a == b) return true;
  if (isAscii(a) && isAscii(b)) return false;
  return canonicalComposition(a) == canonicalComposition(b);
}

bool AppDelegate::appSortsBefore(const std::string& a, const std::string& b) const {
  return wendaro::appSortsBefore(a, b);
}

}  // namespace wendaro
