#include <algorithm>

#include "app/app_delegate.h"

namespace wendaro {

// Turns the stored grants back into usable ones. A grant that resolves to an
// excluded path (the same bytes), or that resolves stale, is discarded; one that does not
// resolve is kept for a later try.
void AppDelegate::resolveBookmarks(const std::vector<std::string>& excludedPaths) {
  for (const auto& url : bookmarkURLs) platform.accessGrants.stopAccessingSecurityScopedResource(url);
  bookmarkURLs.clear();

  auto discard = [this](const Value::Data& blob) {
    auto found = std::find(bookmarks.begin(), bookmarks.end(), blob);
    if (found != bookmarks.end()) bookmarks.erase(found);
  };

  const std::vector<Value::Data> snapshot = bookmarks;
  for (const auto& blob : snapshot) {
    auto resolved = platform.accessGrants.resolveBookmarkData(blob, kBookmarkResolutionWithSecurityScope);
    if (!resolved) continue;
    if (resolved->isStale) {
      discard(blob);
      continue;
    }
    const std::string path = resolved->url.path();
    if (std::find(excludedPaths.begin(), excludedPaths.end(), path) != excludedPaths.end()) {
      discard(blob);
    } else {
      bookmarkURLs.push_back(resolved->url);
    }
  }
}

}  // namespace wendaro
