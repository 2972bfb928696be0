#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "desktop/linux/linux_access_grants.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

// A grant resolves to its path while the same file is there, is stale once
// another took its place, and resolves to nothing when nothing is there.
// Blobs from an edited settings file never resolve, nor read past their end.
TEST(AccessGrants, AGrantResolvesToItsFileAndNothingElseResolves) {
  testing::TemporaryDirectory directory;
  const std::string path = directory / "caf\xE9 100% #?";
  std::filesystem::create_directory(path);
  LinuxAccessGrants grants;
  const Value::Data grant = grants.bookmarkData(Url::fileURLWithPath(path), kBookmarkCreationWithSecurityScope).value();
  auto resolve = [&](const auto& b) { return grants.resolveBookmarkData(b, kBookmarkResolutionWithSecurityScope); };
  for (const bool replaced : {false, true}) {
    if (replaced) std::filesystem::rename(path, directory / "moved");  // kept, so that its inode is not reused
    std::filesystem::create_directory(path);
    const auto resolved = resolve(grant);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->url.path(), path);
    EXPECT_EQ(resolved->isStale, replaced);
  }
  // Cut anywhere (also where what is left of the path names a directory), a
  // byte too many (naming the same directory), random bytes, half of them
  // behind the magic and version of a grant.
  for (size_t n = 0; n < grant.size(); ++n) EXPECT_FALSE(resolve(Value::Data(grant.begin(), grant.begin() + n))) << n;
  Value::Data longer = grant;
  longer.push_back('/');
  EXPECT_FALSE(resolve(longer));
  std::mt19937 random(20261207);
  for (int round = 0; round < 1000; ++round) {
    Value::Data garbage(random() % 64);
    for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
    if (round % 2) std::copy_n(grant.begin(), std::min<std::size_t>(13, garbage.size()), garbage.begin());
    EXPECT_FALSE(resolve(garbage)) << "random blob " << round;
  }
  std::filesystem::remove(path);
  EXPECT_FALSE(resolve(grant));
}

}  // namespace
}  // namespace wendaro
