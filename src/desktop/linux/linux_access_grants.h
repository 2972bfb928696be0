#pragma once

#include "platform/access_grants.h"

namespace wendaro {

// Access grants where the file system needs none: a grant records the path
// and the identity (device, inode) of the file it named. It resolves to the
// same path; it is stale when another file is there now, and it fails when
// nothing is. Access needs no opening or closing.
class LinuxAccessGrants : public AccessGrants {
 public:
  // Fails when the URL is not a file URL or names nothing.
  Result<Value::Data> bookmarkData(const Url& url, unsigned options) override;
  // Nothing for a blob that is not a grant or whose path names nothing.
  std::optional<ResolvedBookmark> resolveBookmarkData(const Value::Data& bookmark, unsigned options) override;
  bool startAccessingSecurityScopedResource(const Url& url) override;
  void stopAccessingSecurityScopedResource(const Url& url) override;
};

}  // namespace wendaro
