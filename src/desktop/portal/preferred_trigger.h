#pragma once

#include <optional>
#include <string>

#include "platform/shortcuts.h"

namespace wendaro::portal {

// A shortcut as the desktop portals write key combinations: the modifiers
// "CTRL", "ALT", "SHIFT", "LOGO", then the key's XKB keysym name, joined by
// "+" ("CTRL+ALT+k", "LOGO+F5"). Nothing for a key without a keysym.
std::optional<std::string> preferredTrigger(const Shortcut& shortcut);

}  // namespace wendaro::portal
