#pragma once

#include <cstdint>
#include <vector>

namespace wendaro::x11 {

// The server's keyboard mapping as the protocol gives it: for each keycode
// from minKeycode on, keysymsPerKeycode keysyms (0 for none).
struct KeyboardMapping {
  std::uint8_t minKeycode = 8;
  std::uint8_t keysymsPerKeycode = 0;
  std::vector<std::uint32_t> keysyms;
};

// The server's modifier mapping: for each of the eight modifiers (Shift,
// Lock, Control, Mod1 ... Mod5), keycodesPerModifier keycodes (0 for none).
struct ModifierMapping {
  std::uint8_t keycodesPerModifier = 0;
  std::vector<std::uint8_t> keycodes;
};

// Where a keysym is on the keyboard: its key, and whether Shift is needed to
// type it.
struct KeyPosition {
  std::uint8_t keycode = 0;
  bool shifted = false;
  friend bool operator==(const KeyPosition&, const KeyPosition&) = default;
};

// The keys that type the keysym without Shift, or, when there are none, the
// keys that type it with Shift. Only the first group (layout) counts.
std::vector<KeyPosition> positionsOf(const KeyboardMapping& keyboard, std::uint32_t keysym);

// The modifier mask (bits of XCB_MOD_MASK_*) of the modifiers that any key
// typing one of the keysyms is mapped to; 0 when there is none.
std::uint16_t modifierMaskOf(const ModifierMapping& modifiers, const KeyboardMapping& keyboard,
                             const std::vector<std::uint32_t>& keysyms);

// The masks a shortcut's grab depends on, read from the two mappings. Each
// is one modifier bit among Mod1 to Mod5 (the lowest when several carry the
// key); NumLock is 0 when no modifier carries it.
struct ModifierMasks {
  std::uint16_t numLock = 0;
  std::uint16_t alt = 0;
  std::uint16_t super = 0;
};
ModifierMasks modifierMasksOf(const ModifierMapping& modifiers, const KeyboardMapping& keyboard);

}  // namespace wendaro::x11
