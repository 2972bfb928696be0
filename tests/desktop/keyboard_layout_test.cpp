#include "desktop/x11/keyboard_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace wendaro::x11 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::uint32_t kNumLock = 0xff7f, kAltL = 0xffe9, kMetaL = 0xffe7, kSuperL = 0xffeb, kShiftL = 0xffe1;

// A small keyboard from keycode 10 on, two keysyms per key.
KeyboardMapping smallKeyboard() {
  return KeyboardMapping{10, 2,
                         {
                             '1', '!',           // 10
                             'k', 'K',           // 11
                             kNumLock, 0,        // 12
                             kAltL, kMetaL,      // 13
                             kSuperL, 0,         // 14
                             kShiftL, 0,         // 15
                             '2', '@',           // 16
                             'k', 'K',           // 17: a second K key
                             0, 0,               // 18
                         }};
}

// Eight modifiers, two keycodes each: Shift, Lock, Control, Mod1 ... Mod5.
ModifierMapping modifiersWith(const std::vector<std::pair<int, std::uint8_t>>& placed) {
  ModifierMapping modifiers{2, std::vector<std::uint8_t>(16, 0)};
  for (auto [modifier, keycode] : placed) {
    modifiers.keycodes[modifier * 2 + (modifiers.keycodes[modifier * 2] ? 1 : 0)] = keycode;
  }
  return modifiers;
}

TEST(KeyboardLayout, KeysymIsFoundUnshiftedFirstThenShifted) {
  const KeyboardMapping keyboard = smallKeyboard();
  EXPECT_THAT(positionsOf(keyboard, 'k'), ElementsAre(KeyPosition{11, false}, KeyPosition{17, false}));
  EXPECT_THAT(positionsOf(keyboard, '!'), ElementsAre(KeyPosition{10, true}));
  EXPECT_THAT(positionsOf(keyboard, '2'), ElementsAre(KeyPosition{16, false}));
  EXPECT_THAT(positionsOf(keyboard, 'q'), IsEmpty());
  EXPECT_THAT(positionsOf(KeyboardMapping{}, 'k'), IsEmpty());
}

TEST(KeyboardLayout, OnlyTheFirstGroupCounts) {
  // Keysyms past the second column belong to another layout.
  const KeyboardMapping keyboard{8, 4, {'a', 'A', 'q', 'Q'}};
  EXPECT_THAT(positionsOf(keyboard, 'q'), IsEmpty());
}

struct MaskCase {
  const char* name;
  std::vector<std::pair<int, std::uint8_t>> placed;  // modifier, keycode
  ModifierMasks expected;
};

class ModifierMasksTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(ModifierMasksTest, MasksAreReadFromTheModifierMapping) {
  const ModifierMasks masks = modifierMasksOf(modifiersWith(GetParam().placed), smallKeyboard());
  EXPECT_EQ(masks.numLock, GetParam().expected.numLock);
  EXPECT_EQ(masks.alt, GetParam().expected.alt);
  EXPECT_EQ(masks.super, GetParam().expected.super);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ModifierMasksTest,
    ::testing::Values(
        // Shift 0, Lock 1, Control 2, Mod1 3, Mod2 4, Mod3 5, Mod4 6, Mod5 7.
        MaskCase{"Usual", {{0, 15}, {3, 13}, {4, 12}, {6, 14}}, {1u << 4, 1u << 3, 1u << 6}},
        MaskCase{"NumLockOnMod3", {{3, 13}, {5, 12}, {6, 14}}, {1u << 5, 1u << 3, 1u << 6}},
        MaskCase{"NoNumLock", {{3, 13}, {6, 14}}, {0, 1u << 3, 1u << 6}},
        // A modifier mapping without Alt or Super keeps Mod1 and Mod4.
        MaskCase{"Bare", {}, {0, 1u << 3, 1u << 6}},
        MaskCase{"AltOnMod2AndMod5", {{7, 13}, {4, 13}, {6, 14}}, {0, 1u << 4, 1u << 6}},
        // NumLock on Lock or Shift is no modifier a grab can vary.
        MaskCase{"NumLockOnLock", {{1, 12}, {3, 13}, {6, 14}}, {0, 1u << 3, 1u << 6}}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace wendaro::x11
