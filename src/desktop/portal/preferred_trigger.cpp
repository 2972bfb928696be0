#include "desktop/portal/preferred_trigger.h"

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <utility>

#include "desktop/x11/qt_key_symbols.h"
#include "desktop/x11/shortcut_keys.h"

namespace wendaro::portal {

std::optional<std::string> preferredTrigger(const Shortcut& shortcut) {
  const std::optional<int> qtKey = x11::qtKeyOf(shortcut);
  const std::optional<std::uint32_t> keysym = qtKey ? x11::keysymForQtKey(*qtKey) : std::nullopt;
  if (!keysym) return std::nullopt;
  std::array<char, 64> name{};
  if (xkb_keysym_get_name(*keysym, name.data(), name.size()) <= 0) return std::nullopt;

  constexpr std::array<std::pair<ModifierFlags, const char*>, 4> kModifiers{{
      {kControlKeyMask, "CTRL+"},
      {kOptionKeyMask, "ALT+"},
      {kShiftKeyMask, "SHIFT+"},
      {kCommandKeyMask, "LOGO+"},
  }};
  std::string trigger;
  for (const auto& [flag, text] : kModifiers) {
    if (shortcut.modifierFlags & flag) trigger += text;
  }
  return trigger + name.data();
}

}  // namespace wendaro::portal
