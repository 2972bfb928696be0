#include "desktop/x11/shortcut_keys.h"

#include <cctype>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "desktop/x11/qt_key_symbols.h"

namespace wendaro::x11 {
namespace {

struct KeyCase {
  const char* key;
  std::optional<std::uint32_t> keysym;
};

class KeysymTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeysymTest, RecordedKeyNamesBecomeKeysyms) {
  const Shortcut shortcut{GetParam().key, kControlKeyMask};
  const std::optional<int> qtKey = qtKeyOf(shortcut);
  EXPECT_EQ(qtKey ? keysymForQtKey(*qtKey) : std::nullopt, GetParam().keysym) << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeysymTest,
    ::testing::Values(KeyCase{"K", 0x6b}, KeyCase{"k", 0x6b}, KeyCase{"A", 0x61}, KeyCase{"Z", 0x7a},
                      KeyCase{"0", 0x30}, KeyCase{"9", 0x39}, KeyCase{"F1", 0xffbe}, KeyCase{"F12", 0xffc9},
                      KeyCase{"F35", 0xffe0}, KeyCase{"Left", 0xff51}, KeyCase{"Down", 0xff54},
                      KeyCase{"Home", 0xff50}, KeyCase{"End", 0xff57}, KeyCase{"PgUp", 0xff55},
                      KeyCase{"PgDown", 0xff56}, KeyCase{"Ins", 0xff63}, KeyCase{"Del", 0xffff},
                      KeyCase{"Space", 0x20}, KeyCase{"Tab", 0xff09}, KeyCase{"Return", 0xff0d},
                      KeyCase{"Esc", 0xff1b}, KeyCase{"Backspace", 0xff08}, KeyCase{",", 0x2c},
                      KeyCase{"/", 0x2f}, KeyCase{"`", 0x60}, KeyCase{"~", 0x7e}, KeyCase{"!", 0x21},
                      // Not one key, or a key the recorder cannot make.
                      KeyCase{"", std::nullopt}, KeyCase{"Ctrl+K", std::nullopt}, KeyCase{"K, L", std::nullopt},
                      KeyCase{"Volume Up", 0x1008ff13}, KeyCase{"Media Next", 0x1008ff17},
                      KeyCase{"Nonsense", std::nullopt}, KeyCase{"Calculator", std::nullopt}),
    [](const auto& param) {
      std::string name = "Key";
      for (char c : std::string(param.param.key)) name += std::isalnum(static_cast<unsigned char>(c)) ? std::string(1, c) : std::to_string(int(c));
      return name + "_" + std::to_string(param.index);
    });

}  // namespace
}  // namespace wendaro::x11
