#include <gtest/gtest.h>

#include <locale.h>

#include <cmath>
#include <cstdlib>

#include "desktop/store/plist_file.h"
#include "desktop/store/plist_scalar_text.h"
#include "temporary_directory.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace wendaro {
namespace {

using namespace std::string_literals;

std::string plist(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body + "\n</plist>\n";
}

std::string entry(const std::string& element) { return plist("<dict><key>k</key>" + element + "</dict>"); }

struct Unusable {
  const char* name;
  std::string text;
};

std::string repeated(std::string_view text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

// Texts that libplist reads without complaint, but not as written, and texts
// that are no settings at all: each must be refused whole. Some would stop
// the program inside libplist if they reached it: a NUL in a string, and
// nesting deep enough to overflow the stack hidden from a check that reads
// markup otherwise than libplist does.
TEST(SettingsFileReading, RefusesEveryTextThatWouldNotBeReadAsWritten) {
  const std::string deep = repeated("<array>", 300) + repeated("</array>", 300);
  const std::string abyss = repeated("<array>", 200000);
  const std::vector<Unusable> cases = {
      {"empty file", ""},
      {"truncated file", entry("<string>abc</string>").substr(0, 60)},
      {"not XML", "bplist00 binary"},
      {"top level is an array", plist("<array><string>x</string></array>")},
      {"top level is a string", plist("<string>x</string>")},
      {"number with junk after it", entry("<integer>12abc</integer>")},
      {"empty integer", entry("<integer></integer>")},
      {"integer above 64 signed bits", entry("<integer>9223372036854775808</integer>")},
      {"integer beyond 64 unsigned bits", entry("<integer>18446744073709551616</integer>")},
      {"integer below 64 signed bits", entry("<integer>-9223372036854775809</integer>")},
      {"real that is a word", entry("<real>abc</real>")},
      {"real with two points", entry("<real>1.2.3</real>")},
      {"malformed date", entry("<date>garbage</date>")},
      {"date with a fraction", entry("<date>2001-01-01T00:00:00.5Z</date>")},
      {"date without a zone", entry("<date>2001-01-01T00:00:00</date>")},
      {"the 30th of February", entry("<date>2001-02-30T00:00:00Z</date>")},
      {"date beyond libplist's range", entry("<date>2200-01-01T00:00:00Z</date>")},
      {"not base64", entry("<data>!!!!</data>")},
      {"base64 of the wrong length", entry("<data>QUJD RA</data>")},
      {"key without a value at the end", plist("<dict><key>a</key><string>x</string><key>b</key></dict>")},
      {"key without a value before another key", plist("<dict><key>a</key><key>b</key><string>x</string></dict>")},
      {"the same key twice", plist("<dict><key>a</key><string>x</string><key>a</key><string>y</string></dict>")},
      {"key inside an array", entry("<array><key>x</key></array>")},
      {"unknown element", entry("<number>1</number>")},
      {"reference to a control character", entry("<string>&#1;</string>")},
      {"reference to a carriage return", entry("<string>&#13;</string>")},
      {"invalid UTF-8 in a string", entry("<string>caf\xE9</string>")},
      {"control character in a string", entry("<string>a\x01</string>")},
      {"nested too deeply", entry(deep)},
      {"NUL in a string", entry("<string>a\0b</string>"s)},
      {"NUL in a key", plist("<dict><key>a\0b</key><string>x</string></dict>"s)},
      {"depth behind a single quote in a tag", plist("<dict x='><key>k</key>" + abyss + "'>")},
      {"depth behind a quoted end in a processing instruction", plist("<?x \"?><!--\"?>" + abyss + "-->")},
      {"depth behind a quoted bracket in a document type", plist("<!DOCTYPE x [ \"a]\" ]>" + abyss + "<!-- \" -->")},
  };
  for (const Unusable& unusable : cases) {
    Result<Value::Dictionary> read = settingsFromPlistText(unusable.text);
    EXPECT_FALSE(read.ok()) << unusable.name;
    if (!read.ok()) {
      EXPECT_FALSE(read.error().message.empty()) << unusable.name;
    }
  }
}

struct Spelling {
  const char* name;
  std::string element;
  Value value;
};

// What other writers of property lists put in a file, read as they mean it.
TEST(SettingsFileReading, ReadsTheSpellingsOfOtherWriters) {
  const std::vector<Spelling> cases = {
      {"integer with white space", "<integer> 42\n</integer>", Value(42)},
      {"integer with leading zeros", "<integer>007</integer>", Value(7)},
      {"smallest integer", "<integer>-9223372036854775808</integer>", Value(std::numeric_limits<std::int64_t>::min())},
      {"short real", "<real>0.1</real>", Value(0.1)},
      {"real with exponent", "<real>1E3</real>", Value(1000.0)},
      {"real without fraction digits", "<real>5.</real>", Value(5.0)},
      {"negative zero", "<real>-0.0</real>", Value(-0.0)},
      {"infinity", "<real>+infinity</real>", Value(std::numeric_limits<double>::infinity())},
      {"short infinity", "<real>-inf</real>", Value(-std::numeric_limits<double>::infinity())},
      {"true with end tag", "<true></true>", Value(true)},
      {"false", "<false/>", Value(false)},
      {"empty string element", "<string></string>", Value("")},
      {"string in CDATA", "<string><![CDATA[<b>&]]></string>", Value("<b>&")},
      {"string with entities", "<string>&lt;&amp;&gt;&quot;&apos;</string>", Value("<&>\"'")},
      {"character references", "<string>&#65;&#x1F3B9;</string>", Value("A\U0001F3B9")},
      {"base64 in lines", "<data>\n\tQUJD\n\tREVG\n\t</data>", Value(Value::Data{'A', 'B', 'C', 'D', 'E', 'F'})},
      {"base64 with padding", "<data>QQ==</data>", Value(Value::Data{'A'})},
      {"leap day", "<date>2024-02-29T12:00:00Z</date>", Value(Date{730900800})},
      {"date before 1970", "<date>1969-12-31T23:59:59Z</date>", Value(Date{-978307201})},
      {"empty dictionary", "<dict/>", Value(Value::Dictionary{})},
      {"empty array with end tag", "<array></array>", Value(Value::Array{})},
  };
  for (const Spelling& spelling : cases) {
    Result<Value::Dictionary> read = settingsFromPlistText(entry(spelling.element));
    ASSERT_TRUE(read.ok()) << spelling.name << ": " << read.error().message;
    ASSERT_EQ(read.value().count("k"), 1u) << spelling.name;
    const Value& value = read.value().at("k");
    EXPECT_EQ(value, spelling.value) << spelling.name;
    if (value.isReal()) {
      EXPECT_EQ(std::signbit(value.real()), std::signbit(spelling.value.real())) << spelling.name;
    }
  }
}

TEST(SettingsFileReading, SkipsCommentsDeclarationsAndProcessingInstructions) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!DOCTYPE plist PUBLIC \"-//Example//DTD PLIST 1.0//EN\" \"property-list.dtd\" [<!ENTITY e \"]>\">]>\n"
      "<!-- written by hand: <integer>1</integer> -->\n"
      "<plist version='1.0'><dict><key>favorites</key><array><string>/A.app</string></array>"
      "<!-- <key>x</key> --></dict></plist>";
  Result<Value::Dictionary> read = settingsFromPlistText(text);
  ASSERT_TRUE(read.ok()) << read.error().message;
  EXPECT_EQ(read.value(), (Value::Dictionary{{"favorites", Value(Value::Array{Value("/A.app")})}}));
}

TEST(SettingsFileReading, DatesAreCountedFromTheReferenceDateOnTheGregorianCalendar) {
  EXPECT_EQ(dateFromPlistText("2001-01-01T00:00:00Z"), 0);
  EXPECT_EQ(dateFromPlistText("2000-12-31T23:59:59Z"), -1);
  EXPECT_EQ(dateFromPlistText("2001-03-01T00:00:00Z"), 59 * 86400);
  EXPECT_EQ(dateFromPlistText("2000-02-29T00:00:00Z"), -(366 - 59) * 86400);
  EXPECT_EQ(dateFromPlistText("1900-02-29T00:00:00Z"), std::nullopt) << "1900 is no leap year";
  EXPECT_EQ(dateFromPlistText("2001-01-01T24:00:00Z"), std::nullopt);
}

// A locale whose decimal separator is a comma, made for the test, since a
// container may have no locale but C installed.
locale_t commaDecimalLocale(const testing::TemporaryDirectory& directory) {
  testing::writeFile(directory / "comma.def",
                     "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n");
  std::string command = "localedef -c -i '" + (directory / "comma.def") + "' -f ANSI_X3.4-1968 '" +
                        (directory / "comma") + "' >/dev/null 2>&1";
  [[maybe_unused]] int status = std::system(command.c_str());
  ::setenv("LOCPATH", directory.path().c_str(), 1);
#if defined(__SANITIZE_ADDRESS__)
  // glibc keeps a copy of $LOCPATH for good once it has used it.
  __lsan::ScopedDisabler glibcKeepsTheLocalePath;
#endif
  locale_t comma = newlocale(LC_NUMERIC_MASK, "comma", locale_t(0));
  ::unsetenv("LOCPATH");
  return comma;
}

// A desktop program runs under the user's locale; reals must be read and
// written with a point all the same.
TEST(SettingsFileReading, RealsDoNotDependOnTheLocale) {
  testing::TemporaryDirectory directory;
  locale_t comma = commaDecimalLocale(directory);
  ASSERT_NE(comma, locale_t(0)) << "localedef (packages libc-bin and locales) could not make a test locale";
  locale_t previous = uselocale(comma);
  ASSERT_STREQ(localeconv()->decimal_point, ",");

  Result<Value::Dictionary> read = settingsFromPlistText(entry("<real>2.5</real>"));
  std::string written = plistTextOfSettings({{"k", Value(0.25)}});

  uselocale(previous);
  freelocale(comma);
  ASSERT_TRUE(read.ok()) << read.error().message;
  EXPECT_EQ(read.value().at("k"), Value(2.5));
  EXPECT_NE(written.find("<real>0.25</real>"), std::string::npos) << written;
}

}  // namespace
}  // namespace wendaro
