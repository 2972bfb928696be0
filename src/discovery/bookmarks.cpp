#include <algorithm>

#include "app/app_delegate.h"
#include "discovery/app_names.h"

namespace wendaro {

// Turns the stored grants back into usable ones. A grant that resolves to an
// excluded path, or that resolves stale, is discarded; one that does not
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
    bool excluded = std::any_of(excludedPaths.begin(), excludedPaths.end(),
                                [&](const std::string& other) { return pathsEqual(path, other); });
    if (excluded) {
      discard(blob);
    } else {
      bookmarkURLs.push_back(resolved->url);
    }
  }
}

}  // namespace wendaro
