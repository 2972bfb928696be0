#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "desktop/store/plist_defaults_store.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using testing::TemporaryDirectory;

Value bytes(std::initializer_list<int> values) {
  Value::Data data;
  for (int v : values) data.push_back(static_cast<std::uint8_t>(v));
  return Value(data);
}

Value everyByte() {
  Value::Data data;
  for (int v = 0; v < 256; ++v) data.push_back(static_cast<std::uint8_t>(v));
  return Value(data);
}

struct Shape {
  const char* name;
  Value value;
};

std::vector<Shape> everyShape() {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  return {
      {"empty string", Value("")},
      {"plain string", Value("/Applications/Mail.app")},
      {"markup in a string", Value("a<b>&c]]> \"quoted\" 'single'")},
      {"white space kept", Value("  two  spaces\tand tab\nand line  ")},
      {"non-ASCII string", Value("Café Ελληνικά 日本 🎹")},
      {"empty data", bytes({})},
      {"every byte", everyByte()},
      {"true", Value(true)},
      {"false", Value(false)},
      {"zero", Value(0)},
      {"minus one", Value(-1)},
      {"largest integer", Value(std::numeric_limits<std::int64_t>::max())},
      {"smallest integer", Value(std::numeric_limits<std::int64_t>::min())},
      {"tenth", Value(0.1)},
      {"third", Value(1.0 / 3)},
      {"many digits", Value(123456789.123456789)},
      {"next after one", Value(std::nextafter(1.0, 2.0))},
      {"tiny", Value(1e-300)},
      {"largest real", Value(std::numeric_limits<double>::max())},
      {"smallest normal real", Value(std::numeric_limits<double>::min())},
      {"smallest subnormal real", Value(-std::numeric_limits<double>::denorm_min())},
      {"whole real", Value(42.0)},
      {"infinity", Value(kInfinity)},
      {"minus infinity", Value(-kInfinity)},
      {"reference date", Value(Date{0})},
      {"date before 1970", Value(Date{-1e9})},
      {"last date", Value(Date{2147483647})},
      {"first date", Value(Date{-2147483648.0})},
      {"empty array", Value(Value::Array{})},
      {"empty dictionary", Value(Value::Dictionary{})},
      {"array of every kind", Value(Value::Array{Value("s"), bytes({1, 2}), Value(true), Value(7), Value(2.5),
                                                 Value(Date{60}), Value(Value::Array{Value("inner")}),
                                                 Value(Value::Dictionary{{"k", Value("v")}})})},
      {"categories", Value(Value::Dictionary{{"Work", Value(Value::Array{Value("/A.app"), Value("/B.app")})},
                                             {"Empty", Value(Value::Array{})},
                                             {"", Value("empty key")},
                                             {"<&> ключ", Value(Value::Dictionary{})}})},
  };
}

class SettingsFileValuesTest : public ::testing::Test {
 protected:
  TemporaryDirectory directory;
  std::string file = directory / "wendaro/defaults.plist";
  std::ostringstream errors;
  PlistStoreOptions options{.errors = &errors};
};

TEST_F(SettingsFileValuesTest, EveryShapeComesBackFromTheFileExactly) {
  {
    PlistDefaultsStore store(file, options);
    for (const Shape& shape : everyShape()) store.setObject(shape.name, shape.value);
    EXPECT_TRUE(store.isSaved());
  }
  PlistDefaultsStore reread(file, options);
  for (const Shape& shape : everyShape()) {
    EXPECT_EQ(reread.objectForKey(shape.name), shape.value) << shape.name;
  }
  EXPECT_EQ(errors.str(), "");
}

TEST_F(SettingsFileValuesTest, NotANumberStaysOne) {
  PlistDefaultsStore(file, options).setObject("nan", Value(std::numeric_limits<double>::quiet_NaN()));
  auto nan = PlistDefaultsStore(file, options).objectForKey("nan");
  ASSERT_TRUE(nan && nan->isReal());
  EXPECT_TRUE(std::isnan(nan->real()));
}

TEST_F(SettingsFileValuesTest, ValuesTheFileCannotHoldExactlyAreRefusedAndChangeNothing) {
  struct Refused {
    const char* name;
    std::string key;
    Value value;
  };
  Value deep("bottom");
  for (int level = 0; level < 300; ++level) deep = Value(Value::Array{deep});
  const std::vector<Refused> cases = {
      {"carriage return", "k", Value("line\r\n")},
      {"control character", "k", Value("bell\a")},
      {"NUL inside a string", "k", Value(std::string("a\0b", 3))},
      {"invalid UTF-8", "k", Value("caf\xE9")},
      {"overlong UTF-8", "k", Value("\xC0\xAF")},
      {"non-character U+FFFE", "k", Value("\xEF\xBF\xBE")},
      {"bad string deep inside", "k", Value(Value::Array{Value(Value::Dictionary{{"x", Value("\x01")}})})},
      {"control character in a key", "tab\x01key", Value("v")},
      {"control character in a nested key", "k", Value(Value::Dictionary{{"\x02", Value(1)}})},
      {"negative zero", "k", Value(-0.0)},
      {"fraction of a second", "k", Value(Date{0.5})},
      {"date after 2069", "k", Value(Date{3e9})},
      {"date that is not a number", "k", Value(Date{std::numeric_limits<double>::quiet_NaN()})},
      {"nested too deeply", "k", deep},
  };
  PlistDefaultsStore store(file, options);
  store.setObject("k", Value("before"));
  const auto fileBefore = testing::readFile(file);
  int notifications = 0;
  store.addChangeListener([&](const std::string&) { ++notifications; });
  for (const Refused& refused : cases) {
    errors.str("");
    store.setObject(refused.key, refused.value);
    EXPECT_EQ(store.objectForKey("k"), Value("before")) << refused.name;
    if (refused.key != "k") {
      EXPECT_FALSE(store.objectForKey(refused.key)) << refused.name;
    }
    EXPECT_NE(errors.str().find("was not changed"), std::string::npos) << refused.name << ": " << errors.str();
  }
  EXPECT_EQ(notifications, 0);
  EXPECT_EQ(testing::readFile(file), fileBefore);
  EXPECT_TRUE(store.isSaved());
}

}  // namespace
}  // namespace wendaro
