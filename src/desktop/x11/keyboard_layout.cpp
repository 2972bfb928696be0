#include "desktop/x11/keyboard_layout.h"

#include <algorithm>
#include <cstddef>

namespace wendaro::x11 {

namespace {

constexpr std::uint32_t kNumLock = 0xff7f;
constexpr std::uint32_t kAltLeft = 0xffe9, kAltRight = 0xffea, kMetaLeft = 0xffe7, kMetaRight = 0xffe8;
constexpr std::uint32_t kSuperLeft = 0xffeb, kSuperRight = 0xffec;
// Mod1 to Mod5; Shift, Lock and Control have fixed meanings.
constexpr int kFirstFreeModifier = 3;
constexpr int kModifierCount = 8;

bool types(const KeyboardMapping& keyboard, std::size_t keyIndex, const std::vector<std::uint32_t>& keysyms) {
  const std::size_t columns = std::min<std::size_t>(keyboard.keysymsPerKeycode, 2);
  for (std::size_t column = 0; column < columns; ++column) {
    const std::uint32_t keysym = keyboard.keysyms[keyIndex * keyboard.keysymsPerKeycode + column];
    if (keysym != 0 && std::find(keysyms.begin(), keysyms.end(), keysym) != keysyms.end()) return true;
  }
  return false;
}

// A grab needs exactly one modifier for each key held.
std::uint16_t lowestBit(std::uint16_t mask) { return static_cast<std::uint16_t>(mask & -mask); }

std::size_t keyCount(const KeyboardMapping& keyboard) {
  return keyboard.keysymsPerKeycode == 0 ? 0 : keyboard.keysyms.size() / keyboard.keysymsPerKeycode;
}

}  // namespace

std::vector<KeyPosition> positionsOf(const KeyboardMapping& keyboard, std::uint32_t keysym) {
  std::vector<KeyPosition> plain, shifted;
  const std::size_t keys = keyCount(keyboard);
  for (std::size_t key = 0; key < keys; ++key) {
    const auto keycode = static_cast<std::uint8_t>(keyboard.minKeycode + key);
    const std::uint32_t* row = &keyboard.keysyms[key * keyboard.keysymsPerKeycode];
    if (row[0] == keysym) {
      plain.push_back({keycode, false});
    } else if (keyboard.keysymsPerKeycode > 1 && row[1] == keysym) {
      shifted.push_back({keycode, true});
    }
  }
  return plain.empty() ? shifted : plain;
}

std::uint16_t modifierMaskOf(const ModifierMapping& modifiers, const KeyboardMapping& keyboard,
                             const std::vector<std::uint32_t>& keysyms) {
  std::uint16_t mask = 0;
  for (int modifier = 0; modifier < kModifierCount; ++modifier) {
    for (std::size_t slot = 0; slot < modifiers.keycodesPerModifier; ++slot) {
      const std::size_t index = modifier * modifiers.keycodesPerModifier + slot;
      if (index >= modifiers.keycodes.size()) break;
      const std::uint8_t keycode = modifiers.keycodes[index];
      if (keycode < keyboard.minKeycode) continue;
      const std::size_t key = keycode - keyboard.minKeycode;
      if (key < keyCount(keyboard) && types(keyboard, key, keysyms)) mask |= static_cast<std::uint16_t>(1u << modifier);
    }
  }
  return mask;
}

ModifierMasks modifierMasksOf(const ModifierMapping& modifiers, const KeyboardMapping& keyboard) {
  const std::uint16_t freeModifiers = static_cast<std::uint16_t>(((1u << kModifierCount) - 1) & ~((1u << kFirstFreeModifier) - 1));
  ModifierMasks masks;
  masks.numLock = lowestBit(modifierMaskOf(modifiers, keyboard, {kNumLock}) & freeModifiers);
  masks.alt = lowestBit(modifierMaskOf(modifiers, keyboard, {kAltLeft, kAltRight, kMetaLeft, kMetaRight}) & freeModifiers);
  masks.super = lowestBit(modifierMaskOf(modifiers, keyboard, {kSuperLeft, kSuperRight}) & freeModifiers);
  // Without such keys the conventional assignments stand: Alt on Mod1, the
  // logo key on Mod4.
  if (masks.alt == 0) masks.alt = 1u << 3;
  if (masks.super == 0) masks.super = 1u << 6;
  return masks;
}

}  // namespace wendaro::x11
