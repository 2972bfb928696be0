#include <gtest/gtest.h>

#include "platform/url.h"

namespace wendaro {
namespace {

TEST(UrlTest, FileUrlsKeepTheirPathExactly) {
  for (const char* path : {"/Applications", "/Users/me/My Apps", "/tmp/100%/x#y?z", "/A/\xC3\xA4pfel.app"}) {
    auto url = Url::fileURLWithPath(path);
    EXPECT_TRUE(url.isFileURL());
    EXPECT_EQ(url.path(), path);
  }
  EXPECT_EQ(Url::fileURLWithPath("/My Apps").absoluteString(), "file:///My%20Apps");
}

TEST(UrlTest, StringsAreUrlsOnlyWithASchemeAndNoBlanks) {
  auto mail = Url::withString("mailto:help@example.org?Subject=Wendaro%202");
  ASSERT_TRUE(mail);
  EXPECT_EQ(mail->scheme(), "mailto");
  EXPECT_EQ(mail->absoluteString(), "mailto:help@example.org?Subject=Wendaro%202");
  EXPECT_FALSE(Url::withString("no scheme here"));
  EXPECT_FALSE(Url::withString("mailto:a b"));
  EXPECT_FALSE(Url::withString(":nothing"));
  EXPECT_FALSE(Url::withString("1http://x"));
  EXPECT_FALSE(Url::withString(""));
}

}  // namespace
}  // namespace wendaro
