// Writes a sample of every kind of value to the settings file, or checks that
// it holds exactly that; enables or disables the login item; as the program.
#include <cstring>
#include <iostream>

#include "desktop/linux/xdg_login_items.h"
#include "desktop/store/config_paths.h"
#include "desktop/store/plist_defaults_store.h"

namespace {

using wendaro::Value;

Value::Dictionary sample() {
  return {
      {"string", Value("Caf\xC3\xA9 <&> \"quoted\"\n\ttabbed")},
      {"data", Value(Value::Data{0, 1, 2, 254, 255})},
      {"true", Value(true)},
      {"false", Value(false)},
      {"integer", Value(std::int64_t{-9223372036854775807 - 1})},
      {"real", Value(0.1)},
      {"date", Value(wendaro::Date{730900800})},  // 2024-02-29T12:00:00Z
      {"array", Value(Value::Array{Value("/Applications/Ledger.app"), Value("")})},
      {"dictionary", Value(Value::Dictionary{{"Work", Value(Value::Array{Value("/A.app")})},
                                             {"Empty", Value(Value::Array{})}})},
      {"empty dictionary", Value(Value::Dictionary{})},
  };
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  wendaro::XdgLoginItems items(wendaro::autostartDirectory(), argc == 3 ? argv[2] : "");
  if (mode == "enable" && argc == 3) return items.setLoginItemEnabled("org.wendaro.Wendaro-2-Helper", true) ? 0 : 1;
  if (mode == "disable") return items.setLoginItemEnabled("org.wendaro.Wendaro-2-Helper", false) ? 0 : 1;
  wendaro::PlistDefaultsStore store(wendaro::settingsFilePath());
  int differences = 0;
  for (const auto& [key, value] : sample()) {
    if (mode == "write") store.setObject(key, value);
    if (mode == "check" && store.objectForKey(key) != value) {
      std::cerr << "contract_probe: \"" << key << "\" differs\n";
      ++differences;
    }
  }
  if (mode == "write") return store.isSaved() ? 0 : 1;
  if (mode == "check") return differences == 0 && !store.setAsidePath() ? 0 : 1;
  std::cerr << "usage: contract_probe write | check | enable PROGRAM | disable\n";
  return 2;
}
