#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/defaults_value.h"
#include "platform/file_manager.h"

namespace wendaro {

struct GrantRecord {
  std::string path;
  FileIdentity identity;
  friend bool operator==(const GrantRecord&, const GrantRecord&) = default;
};

// The stored form of an access grant, version 1:
//   "WendaroGrant"           12 bytes, what the blob is
//   version                   1 byte, 1
//   device, inode             8 bytes each, little-endian
//   path length               4 bytes, little-endian
//   path                      that many bytes: absolute, without NUL
// and nothing after it.
Value::Data encodeGrant(const GrantRecord& grant);

// The grant a blob holds, or nothing for any blob that is not exactly the
// above (other magic or version, short, long, a relative path...).
std::optional<GrantRecord> decodeGrant(const Value::Data& blob);

}  // namespace wendaro
