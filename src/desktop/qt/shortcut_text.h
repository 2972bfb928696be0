#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/shortcuts.h"

// A stored global shortcut is the text of one key combination in Qt's
// portable form (QKeySequence::PortableText): the modifiers in the order
// "Meta+", "Ctrl+", "Alt+", "Shift+", then the key's portable name
// ("Ctrl+Alt+K", "Meta+F5", "Ctrl+Space", "Ctrl++"). The recorder writes it;
// menus and the keyboard grabs read it through these two functions. The
// modifiers map to the platform's flags: Ctrl to kControlKeyMask, Alt to
// kOptionKeyMask, Shift to kShiftKeyMask, Meta to kCommandKeyMask.
namespace wendaro {

// The shortcut the text spells, or nothing unless it is exactly how Qt writes
// one combination of a known key with those modifiers: no lone modifier, no
// keypad flag, no second combination, no other spelling ("ctrl+k").
std::optional<Shortcut> parseShortcutText(std::string_view text);

// The stored text of a shortcut: its modifiers in the portable order, then
// its key name. parseShortcutText reads it back as the same shortcut.
std::string shortcutText(const Shortcut& shortcut);

}  // namespace wendaro
