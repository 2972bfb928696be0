#pragma once

#include <cstdint>
#include <optional>

namespace wendaro::x11 {

// The X keysym of a Qt::Key that the shortcut recorder can produce: letters,
// digits, the printable characters of a US layout, F1 to F35, arrows, the
// editing and navigation keys, Space, Tab, Return, Enter, Escape,
// Backspace and the volume and media keys. Nothing for other keys.
std::optional<std::uint32_t> keysymForQtKey(int qtKey);

}  // namespace wendaro::x11
