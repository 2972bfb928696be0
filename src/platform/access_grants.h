#pragma once

#include <optional>

#include "platform/defaults_value.h"
#include "platform/result.h"
#include "platform/url.h"

namespace wendaro {

// Option values of bookmark creation and resolution for access grants.
inline constexpr unsigned kBookmarkCreationWithSecurityScope = 2048;
inline constexpr unsigned kBookmarkResolutionWithSecurityScope = 1024;

struct ResolvedBookmark {
  Url url;
  bool isStale = false;
};

// Stored grants that keep a user-chosen directory readable across restarts.
class AccessGrants {
 public:
  virtual ~AccessGrants() = default;
  // An opaque blob that can be stored and resolved later, or an error.
  virtual Result<Value::Data> bookmarkData(const Url& url, unsigned options) = 0;
  // The URL the blob stands for and whether the blob is stale; nothing when
  // it does not resolve.
  virtual std::optional<ResolvedBookmark> resolveBookmarkData(const Value::Data& bookmark,
                                                              unsigned options) = 0;
  // Opens the grant; true when access was granted.
  virtual bool startAccessingSecurityScopedResource(const Url& url) = 0;
  // Closes the grant; no effect when it is not open.
  virtual void stopAccessingSecurityScopedResource(const Url& url) = 0;
};

}  // namespace wendaro
