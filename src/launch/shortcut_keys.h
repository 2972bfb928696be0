#pragma once

#include <string>
#include <string_view>

namespace wendaro {

// What the shortcut editor and the desktop call the main menu's shortcut.
inline constexpr const char* kMenuShortcutTitle = "Wendaro's Menu";

// The digits of a moment: `secondsSinceReferenceDate` written in the shortest
// fixed-point form that reads back as the same double, with at least one
// fractional digit, and the decimal point dropped. 5.25 gives "525", 7.0
// gives "70". Never in exponent notation.
std::string timeDigits(double secondsSinceReferenceDate);

// A new shortcut key: "ash" for an application or "csh" for a category,
// followed by the time digits of the moment. Its first letter tells the kind
// when the stored keys are bound again at the next start.
std::string newShortcutKey(bool isCategory, double secondsSinceReferenceDate);

// Whether the key has the form newShortcutKey makes: "ash" or "csh", then
// one or more digits and nothing else. The index holds no other keys: what it
// names is removed and written by the editor and the menus, and any other
// name could be another setting.
bool isMintedShortcutKey(std::string_view shortcutKey);

// Whether a minted shortcut key is a category's.
bool isCategoryShortcutKey(std::string_view shortcutKey);

}  // namespace wendaro
