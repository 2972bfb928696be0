#pragma once

#include <locale.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace wendaro {

// Strict readings of the text of the scalar elements of an XML property
// list, as its writers spell them. Each ignores white space around the text
// and yields nothing for anything else.

// <integer>: decimal digits with an optional minus sign, within 64 signed bits.
std::optional<std::int64_t> integerFromPlistText(std::string_view text);

// <real>: a decimal number with optional fraction and exponent, or nan,
// inf, infinity (any case, optionally signed). Independent of the locale.
std::optional<double> realFromPlistText(std::string_view text);

// <date>: "YYYY-MM-DDTHH:MM:SSZ" in UTC; the seconds since 2001-01-01.
std::optional<std::int64_t> dateFromPlistText(std::string_view text);

// <data>: base64 with padding; white space anywhere.
std::optional<std::vector<std::uint8_t>> dataFromPlistText(std::string_view text);

// The C locale, in which numbers are read and written the same everywhere.
locale_t classicLocale();

}  // namespace wendaro
