#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "desktop/linux/grant_blob.h"
#include "desktop/linux/linux_access_grants.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using testing::TemporaryDirectory;

class AccessGrantsTest : public ::testing::Test {
 protected:
  TemporaryDirectory directory;
  LinuxAccessGrants grants;

  Value::Data grantFor(const std::string& path) {
    Result<Value::Data> blob = grants.bookmarkData(Url::fileURLWithPath(path), kBookmarkCreationWithSecurityScope);
    EXPECT_TRUE(blob.ok()) << blob.error().message;
    return blob.ok() ? blob.value() : Value::Data{};
  }
  std::optional<ResolvedBookmark> resolve(const Value::Data& blob) {
    return grants.resolveBookmarkData(blob, kBookmarkResolutionWithSecurityScope);
  }
};

TEST_F(AccessGrantsTest, AGrantResolvesToItsPathWhileTheSameFileIsThere) {
  for (const char* name : {"Apps", "with space", "100% odd#?", "caf\xE9 not UTF-8", "Mail.app"}) {
    const std::string path = directory / name;
    std::filesystem::create_directory(path);
    auto resolved = resolve(grantFor(path));
    ASSERT_TRUE(resolved) << name;
    EXPECT_EQ(resolved->url.path(), path);
    EXPECT_FALSE(resolved->isStale) << name;
  }
}

TEST_F(AccessGrantsTest, AnotherFileAtThePathMakesTheGrantStale) {
  const std::string path = directory / "Apps";
  std::filesystem::create_directory(path);
  Value::Data blob = grantFor(path);
  // The old directory lives on elsewhere, so the new one cannot reuse its inode.
  std::filesystem::rename(path, directory / "Moved");
  std::filesystem::create_directory(path);
  auto resolved = resolve(blob);
  ASSERT_TRUE(resolved);
  EXPECT_EQ(resolved->url.path(), path);
  EXPECT_TRUE(resolved->isStale);
}

TEST_F(AccessGrantsTest, AGrantWhosePathNamesNothingFailsToResolve) {
  const std::string path = directory / "Apps";
  std::filesystem::create_directory(path);
  Value::Data blob = grantFor(path);
  std::filesystem::remove(path);
  EXPECT_FALSE(resolve(blob));
}

TEST_F(AccessGrantsTest, NoGrantForNothingOrForAnotherKindOfUrl) {
  Result<Value::Data> missing =
      grants.bookmarkData(Url::fileURLWithPath(directory / "missing"), kBookmarkCreationWithSecurityScope);
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.error().message.find(directory / "missing"), std::string::npos) << missing.error().message;
  EXPECT_NE(missing.error().message.find("No such file or directory"), std::string::npos);

  auto mail = Url::withString("mailto:someone@example.org");
  ASSERT_TRUE(mail);
  EXPECT_FALSE(grants.bookmarkData(*mail, kBookmarkCreationWithSecurityScope).ok());
}

TEST(GrantBlob, HoldsThePathAndTheIdentityInAVersionedForm) {
  GrantRecord grant{"/Applications", {0x0102030405060708, 0x1112131415161718}};
  Value::Data blob = encodeGrant(grant);
  std::string text(blob.begin(), blob.end());
  EXPECT_EQ(text.substr(0, 13), std::string("WendaroGrant\x01"));
  EXPECT_EQ(text.substr(text.size() - 13), "/Applications");
  EXPECT_EQ(decodeGrant(blob), grant);
}

// No sequence of bytes may crash the decoder; only a well-formed grant decodes.
TEST(GrantBlob, AnyOtherBytesAreNoGrant) {
  const Value::Data valid = encodeGrant({"/some/where", {7, 42}});
  for (size_t length = 0; length < valid.size(); ++length) {
    EXPECT_FALSE(decodeGrant(Value::Data(valid.begin(), valid.begin() + length))) << "cut to " << length;
  }
  Value::Data longer = valid;
  longer.push_back('x');
  EXPECT_FALSE(decodeGrant(longer)) << "a byte too many";

  std::mt19937 random(20261206);
  for (int round = 0; round < 2000; ++round) {
    Value::Data garbage(random() % 64);
    for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
    if (round % 2) std::copy_n(valid.begin(), std::min<size_t>(13, garbage.size()), garbage.begin());
    EXPECT_FALSE(decodeGrant(garbage)) << "random blob " << round;
  }
  // One flipped bit: inside the identity or after the path's leading slash it
  // spells another grant; anywhere else (magic, version, length, the slash)
  // the blob is spoilt.
  size_t decodedFlips = 0;
  for (size_t bit = 0; bit < valid.size() * 8; ++bit) {
    Value::Data flipped = valid;
    flipped[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
    if (decodeGrant(flipped)) ++decodedFlips;
  }
  EXPECT_EQ(decodedFlips, 2 * 64 + (std::string("/some/where").size() - 1) * 8);

  GrantRecord relative{"some/where", {1, 2}};
  EXPECT_FALSE(decodeGrant(encodeGrant(relative))) << "a relative path";
  GrantRecord withNul{std::string("/a\0b", 4), {1, 2}};
  EXPECT_FALSE(decodeGrant(encodeGrant(withNul))) << "a NUL in the path";
}

TEST_F(AccessGrantsTest, AnyBytesResolveToNothingWithoutHarm) {
  std::mt19937 random(7);
  for (int round = 0; round < 500; ++round) {
    Value::Data garbage(random() % 200);
    for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
    EXPECT_FALSE(resolve(garbage));
  }
}

}  // namespace
}  // namespace wendaro
