#include "desktop/linux/linux_access_grants.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "desktop/linux/file_identity.h"
#include "desktop/linux/grant_blob.h"

namespace wendaro {

namespace {

std::optional<FileIdentity> identityAt(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return identityOf(status);
}

}  // namespace

Result<Value::Data> LinuxAccessGrants::bookmarkData(const Url& url, unsigned /*options*/) {
  if (!url.isFileURL()) return PlatformError{"cannot make an access grant for " + url.absoluteString() + ": not a file"};
  std::string path = url.path();
  if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos) {
    return PlatformError{"cannot make an access grant for " + url.absoluteString() + ": not an absolute path"};
  }
  std::optional<FileIdentity> identity = identityAt(path);
  if (!identity) return PlatformError{"cannot make an access grant for " + path + ": " + std::strerror(errno)};
  return encodeGrant({path, *identity});
}

std::optional<ResolvedBookmark> LinuxAccessGrants::resolveBookmarkData(const Value::Data& bookmark,
                                                                       unsigned /*options*/) {
  std::optional<GrantRecord> grant = decodeGrant(bookmark);
  if (!grant) return std::nullopt;
  std::optional<FileIdentity> identity = identityAt(grant->path);
  if (!identity) return std::nullopt;
  return ResolvedBookmark{Url::fileURLWithPath(grant->path), *identity != grant->identity};
}

bool LinuxAccessGrants::startAccessingSecurityScopedResource(const Url& /*url*/) { return true; }

void LinuxAccessGrants::stopAccessingSecurityScopedResource(const Url& /*url*/) {}

}  // namespace wendaro
