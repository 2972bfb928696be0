#pragma once

#include <sys/stat.h>

#include <cstdint>

#include "platform/file_manager.h"

namespace wendaro {

// The identity of the file that `status` describes.
inline FileIdentity identityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

}  // namespace wendaro
