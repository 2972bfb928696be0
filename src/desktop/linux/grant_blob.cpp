#include "desktop/linux/grant_blob.h"

#include <algorithm>
#include <string_view>

namespace wendaro {

namespace {

constexpr std::string_view kMagic = "WendaroGrant";
constexpr std::uint8_t kVersion = 1;
constexpr size_t kHeaderSize = kMagic.size() + 1 + 8 + 8 + 4;

void appendLittleEndian(Value::Data& blob, std::uint64_t number, int bytes) {
  for (int i = 0; i < bytes; ++i) blob.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
}

std::uint64_t readLittleEndian(const Value::Data& blob, size_t at, int bytes) {
  std::uint64_t number = 0;
  for (int i = bytes - 1; i >= 0; --i) number = (number << 8) | blob[at + static_cast<size_t>(i)];
  return number;
}

}  // namespace

Value::Data encodeGrant(const GrantRecord& grant) {
  Value::Data blob(kMagic.begin(), kMagic.end());
  blob.push_back(kVersion);
  appendLittleEndian(blob, grant.identity.device, 8);
  appendLittleEndian(blob, grant.identity.inode, 8);
  appendLittleEndian(blob, grant.path.size(), 4);
  blob.insert(blob.end(), grant.path.begin(), grant.path.end());
  return blob;
}

std::optional<GrantRecord> decodeGrant(const Value::Data& blob) {
  if (blob.size() < kHeaderSize || !std::equal(kMagic.begin(), kMagic.end(), blob.begin()) ||
      blob[kMagic.size()] != kVersion) {
    return std::nullopt;
  }
  size_t at = kMagic.size() + 1;
  GrantRecord grant;
  grant.identity.device = readLittleEndian(blob, at, 8);
  grant.identity.inode = readLittleEndian(blob, at + 8, 8);
  std::uint64_t length = readLittleEndian(blob, at + 16, 4);
  if (length != blob.size() - kHeaderSize) return std::nullopt;
  grant.path.assign(blob.begin() + kHeaderSize, blob.end());
  if (grant.path.empty() || grant.path.front() != '/' || grant.path.find('\0') != std::string::npos) {
    return std::nullopt;
  }
  return grant;
}

}  // namespace wendaro
