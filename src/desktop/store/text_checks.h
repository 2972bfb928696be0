#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wendaro {

// Why the text cannot be kept exactly as character data of an XML file, or
// nothing when it can: it must be UTF-8 and hold only characters that XML
// allows, and no carriage return (XML readers turn it into a line feed).
std::optional<std::string> whyNotXmlText(std::string_view text);

// "U+000D" for 13.
std::string codePointName(char32_t c);

}  // namespace wendaro
