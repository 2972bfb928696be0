// Writes a sample of every kind of value to the settings file where the
// program keeps it, or checks that the file there holds exactly that sample.
// The contract checks run it and read or write the file with an independent
// property list reader and writer.
#include <cstring>
#include <iostream>

#include "desktop/store/config_paths.h"
#include "desktop/store/plist_defaults_store.h"

namespace {

using wendaro::Date;
using wendaro::Value;

Value::Dictionary sample() {
  return {
      {"string", Value("Caf\xC3\xA9 <&> \"quoted\"\n\ttabbed")},
      {"data", Value(Value::Data{0, 1, 2, 254, 255})},
      {"true", Value(true)},
      {"false", Value(false)},
      {"integer", Value(std::int64_t{-9223372036854775807 - 1})},
      {"positive integer", Value(42)},
      {"real", Value(0.1)},
      {"date", Value(Date{730900800})},  // 2024-02-29T12:00:00Z
      {"array", Value(Value::Array{Value("/Applications/Mail.app"), Value("")})},
      {"dictionary", Value(Value::Dictionary{{"Work", Value(Value::Array{Value("/A.app")})},
                                             {"Empty", Value(Value::Array{})}})},
      {"empty array", Value(Value::Array{})},
      {"empty dictionary", Value(Value::Dictionary{})},
  };
}

int write() {
  wendaro::PlistDefaultsStore store(wendaro::settingsFilePath());
  for (const auto& [key, value] : sample()) store.setObject(key, value);
  return store.isSaved() ? 0 : 1;
}

int check() {
  wendaro::PlistDefaultsStore store(wendaro::settingsFilePath());
  int differences = 0;
  for (const auto& [key, value] : sample()) {
    if (store.objectForKey(key) != value) {
      std::cerr << "store_contract_probe: \"" << key << "\" differs\n";
      ++differences;
    }
  }
  return differences == 0 && !store.setAsidePath() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "write") == 0) return write();
  if (argc == 2 && std::strcmp(argv[1], "check") == 0) return check();
  std::cerr << "usage: store_contract_probe write|check\n";
  return 2;
}
