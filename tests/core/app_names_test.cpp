#include <gtest/gtest.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <random>

#include "discovery/app_names.h"
#include "platform/path_strings.h"

namespace wendaro {
namespace {

using Paths = std::vector<std::string>;

// The rules written out the slow way, through ICU's UTF-16 strings and the
// path operations, to hold the fast versions to.
icu::UnicodeString referenceComposed(const icu::UnicodeString& text) {
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString composed = icu::Normalizer2::getNFCInstance(status)->normalize(text, status);
  EXPECT_TRUE(U_SUCCESS(status));
  return composed;
}

icu::UnicodeString referenceKey(const std::string& path) {
  icu::UnicodeString name = icu::UnicodeString::fromUTF8(displayName(path));
  name.toLower(icu::Locale::getRoot());
  return referenceComposed(name);
}

bool referenceSortsBefore(const std::string& a, const std::string& b) {
  return referenceKey(a).compareCodePointOrder(referenceKey(b)) < 0;
}

std::string utf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

// Random paths built from pieces chosen to meet the hard cases: slashes and
// dots in every place, letters whose lower case is longer or depends on
// context (U+0130, final sigma), decomposed and composed forms, compatibility
// characters that NFC leaves alone, characters outside the BMP.
class RandomPaths {
 public:
  explicit RandomPaths(unsigned seed) : engine_(seed) {}

  std::string path() {
    static const std::vector<std::string> pieces = {
        "a", "B", "z", "Z", "1", " ", ".", "..", "/", "//", "app", ".app", "App", "\xC4\xB0" /* İ */,
        "\xCE\xA3" /* Σ */, "\xCF\x83" /* σ */, "\xC3\x9F" /* ß */, "\xE1\xBA\x9E" /* ẞ */,
        "\xC3\x84" /* Ä */, "A\xCC\x88" /* A + combining diaeresis */, "\xCC\x88", "\xE2\x84\xAB" /* Å sign */,
        "\xEF\xAC\x81" /* ﬁ */, "\xE6\x97\xA5" /* 日 */, "\xF0\x9F\x98\x80" /* emoji */,
        "\xE2\x84\xA6" /* Ω sign */, "\xC7\x85" /* ǅ */, "\xE1\x84\x80\xE1\x85\xA1" /* jamo */,
        "\xEA\xB0\x80" /* 가 */, "\xCE\x90" /* ΐ */, "I", "i"};
    std::string path;
    const std::size_t count = pick(9);
    for (std::size_t i = 0; i < count; ++i) path += pieces[pick(pieces.size())];
    if (pick(2) == 0) path += ".app";
    return path;
  }
  Paths paths(std::size_t count) {
    Paths result;
    for (std::size_t i = 0; i < count; ++i) result.push_back(path());
    return result;
  }
  std::size_t pick(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine_); }

 private:
  std::mt19937 engine_;
};

TEST(AppNamesTest, KeysUseTheFullLowerCaseMappingInComposedForm) {
  struct Case {
    const char* path;
    const char* key;
  };
  const Case cases[] = {
      {"/Applications/Safari.app", "safari"},
      {"/Tools/Foo.bar.app", "foo.bar"},
      {"/A/App Store.app/", "app store"},
      {"/A/.hidden", ".hidden"},
      {"/A/..", ".."},
      {"/", "/"},
      {"", ""},
      // U+0130 lowers to i and a combining dot above under the full mapping,
      // not to a plain i.
      {"/A/\xC4\xB0stanbul.app", "i\xCC\x87stanbul"},
      // Final sigma takes its own form at the end of a word.
      {"/A/\xCE\x9F\xCE\x94\xCE\x9F\xCE\xA3.app", "\xCE\xBF\xCE\xB4\xCE\xBF\xCF\x82"},
      // A decomposed capital lowers and composes to U+00E4.
      {"/A/A\xCC\x88pfel.app", "\xC3\xA4pfel"},
      {"/A/\xE1\xBA\x9E.app", "\xC3\x9F"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(appNameKey(c.path), c.key) << c.path;
    EXPECT_EQ(appNameKey(c.path), utf8(referenceKey(c.path))) << c.path;
  }
}

// Sorted by code points of the keys, the sort and the pairwise comparison
// agree; equal keys keep their order.
TEST(AppNamesTest, SortsByCodePointsOfTheKeys) {
  const std::pair<Paths, Paths> cases[] = {
      {{"/A/Zoom.app", "/A/calculator.app", "/A/\xC3\x84pfel.app", "/A/1Tool.app", "/A/App Store.app"},
       {"/A/1Tool.app", "/A/App Store.app", "/A/calculator.app", "/A/Zoom.app", "/A/\xC3\x84pfel.app"}},
      // "i" + U+0307 + "b" follows "ic" because U+0307 follows "c"; with the
      // simple mapping ("ib") it would come first.
      {{"/A/\xC4\xB0" "b.app", "/A/ic.app"}, {"/A/ic.app", "/A/\xC4\xB0" "b.app"}},
      {{"/Users/Shared/Apps/notes.app", "/Applications/Notes.app", "/B/NOTES.app", "/A/a.app"},
       {"/A/a.app", "/Users/Shared/Apps/notes.app", "/Applications/Notes.app", "/B/NOTES.app"}},
  };
  for (const auto& [paths, expected] : cases) {
    Paths sorted = paths;
    sortInAppNameOrder(sorted);
    EXPECT_EQ(sorted, expected);
    Paths byPairwiseComparison = paths;
    std::stable_sort(byPairwiseComparison.begin(), byPairwiseComparison.end(),
                     [](const std::string& a, const std::string& b) { return appSortsBefore(a, b); });
    EXPECT_EQ(byPairwiseComparison, expected);
  }
}

TEST(AppNamesTest, FastRulesAgreeWithTheSlowOnesOnRandomPaths) {
  RandomPaths random(20240601);
  for (int i = 0; i < 4000; ++i) {
    const std::string path = random.path();
    ASSERT_EQ(displayNameView(path), lastPathComponent(stringByDeletingPathExtension(path))) << path;
    ASSERT_EQ(appNameKey(path), utf8(referenceKey(path))) << path;
  }
}

TEST(AppNamesTest, KeyedSortGivesTheOrderOfThePairwiseComparison) {
  RandomPaths random(7);
  for (int round = 0; round < 300; ++round) {
    Paths paths = random.paths(random.pick(40));
    // Repeat some paths, as a directory listed twice does.
    for (std::size_t i = 0, n = paths.size() / 4; i < n; ++i) paths.push_back(paths[random.pick(paths.size())]);
    Paths expected = paths;
    std::stable_sort(expected.begin(), expected.end(), referenceSortsBefore);
    sortInAppNameOrder(paths);
    ASSERT_EQ(paths, expected) << "round " << round;
  }
}

TEST(AppNamesTest, Utf8Validity) {
  struct Case {
    std::string bytes;
    bool valid;
  };
  const Case cases[] = {
      {"", true},
      {"Safari.app", true},
      {"caf\xC3\xA9", true},
      {"\xE6\x97\xA5\xF0\x9F\x98\x80", true},
      {"caf\xE9", false},              // Latin-1
      {"\xC0\xAF", false},             // overlong "/"
      {"\xED\xA0\x80", false},         // a surrogate
      {"\xF4\x90\x80\x80", false},     // above U+10FFFF
      {"\xE6\x97", false},             // cut short
      {"\x80", false},                 // a lone continuation byte
      {std::string("a\0b", 3), true},  // NUL is a character
  };
  for (const Case& c : cases) EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
}

TEST(AppNamesTest, InvalidUtf8NeverBreaksTheRules) {
  const std::string invalid = "/A/caf\xE9\xFF.app";
  EXPECT_FALSE(appNameKey(invalid).empty());
  Paths paths = {invalid, "/A/b.app"};
  sortInAppNameOrder(paths);
  EXPECT_EQ(paths.size(), 2u);
}

}  // namespace
}  // namespace wendaro
