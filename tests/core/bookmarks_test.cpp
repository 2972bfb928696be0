#include "core/core_test_fixture.h"

namespace wendaro {
namespace {

using fake::FakeAccessGrants;

class BookmarksTest : public CoreTest {
 protected:
  static Value::Data blob(const std::string& path) { return FakeAccessGrants::blobFor(path); }
  std::vector<std::string> urlPaths() const {
    std::vector<std::string> paths;
    for (const auto& url : app->bookmarkURLs) paths.push_back(url.path());
    return paths;
  }
};

TEST_F(BookmarksTest, ResolvedGrantsBecomeUrlsInListOrder) {
  app->bookmarks = {blob("/B"), blob("/A")};
  app->resolveBookmarks({});
  EXPECT_EQ(urlPaths(), (std::vector<std::string>{"/B", "/A"}));
  EXPECT_EQ(app->bookmarks.size(), 2u);
}

TEST_F(BookmarksTest, FailingGrantStaysStaleGrantIsDiscarded) {
  Value::Data broken{9, 9};
  desktop.accessGrants.resolutions[broken] = std::nullopt;
  desktop.accessGrants.resolutions[blob("/Moved")] = ResolvedBookmark{Url::fileURLWithPath("/Moved"), true};
  app->bookmarks = {broken, blob("/Moved"), blob("/Kept")};
  app->resolveBookmarks({});
  EXPECT_EQ(app->bookmarks, (std::vector<Value::Data>{broken, blob("/Kept")}));
  EXPECT_EQ(urlPaths(), (std::vector<std::string>{"/Kept"}));
}

TEST_F(BookmarksTest, ExcludedPathsDiscardEveryGrantResolvingToThem) {
  app->bookmarks = {blob("/Apps"), blob("/Other"), blob("/Apps")};
  app->resolveBookmarks({"/Apps"});
  EXPECT_EQ(app->bookmarks, (std::vector<Value::Data>{blob("/Other")}));
  EXPECT_EQ(urlPaths(), (std::vector<std::string>{"/Other"}));
}

TEST_F(BookmarksTest, ExclusionComparesPathsByteForByte) {
  // "Äpps" spelled with a combining diaeresis is another file name than the
  // composed spelling.
  app->bookmarks = {blob("/A\xCC\x88pps")};
  app->resolveBookmarks({"/\xC3\x84pps", "/Apps", "/A\xCC\x88pps/"});
  EXPECT_EQ(app->bookmarks.size(), 1u) << "no normalisation, no case folding and no slash clean-up";
  app->resolveBookmarks({"/A\xCC\x88pps"});
  EXPECT_TRUE(app->bookmarks.empty());
}

TEST_F(BookmarksTest, PreviousGrantsAreClosedAndReplaced) {
  app->bookmarks = {blob("/A")};
  app->resolveBookmarks({});
  desktop.log.clear();
  app->bookmarks = {blob("/B")};
  app->resolveBookmarks({});
  EXPECT_EQ(desktop.log.all().front(), "grants.stop /A");
  EXPECT_EQ(urlPaths(), (std::vector<std::string>{"/B"}));
  EXPECT_TRUE(desktop.log.matching("grants.start").empty());
  EXPECT_TRUE(desktop.log.matching("defaults.setObject").empty()) << "resolving saves nothing";
}

TEST_F(BookmarksTest, DiscardRemovesOnlyTheFirstEqualBlobPerResolution) {
  // Two equal stale blobs: each pass over the snapshot removes one.
  desktop.accessGrants.resolutions[blob("/S")] = ResolvedBookmark{Url::fileURLWithPath("/S"), true};
  app->bookmarks = {blob("/S"), blob("/A"), blob("/S")};
  app->resolveBookmarks({});
  EXPECT_EQ(app->bookmarks, (std::vector<Value::Data>{blob("/A")}));
}

}  // namespace
}  // namespace wendaro
