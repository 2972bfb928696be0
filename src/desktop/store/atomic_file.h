#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "desktop/store/file_calls.h"

namespace wendaro {

struct WriteOutcome {
  bool succeeded = true;
  // What failed and why, for a message; empty on success.
  std::string failure;
};

// Replaces the file at `path` with `contents` so that the path holds either
// the old file or the complete new one at every moment, a crash included: a
// temporary file in the same directory is created with `mode`, written,
// synced and renamed over the path, and then the directory is synced.
// Missing directories are created with mode 0700. A symbolic link at the path
// stays: the file it points to is the one replaced. On failure the old file
// is untouched and the temporary file is removed.
WriteOutcome writeFileAtomically(const std::string& path, std::string_view contents, mode_t mode,
                                 FileCalls& calls = systemFileCalls());

// Creates the directory and its missing parents, each with mode 0700.
WriteOutcome makeDirectories(const std::string& path, FileCalls& calls = systemFileCalls());

// The directory part of a path ("/" for "/name", "." for "name").
std::string parentDirectory(const std::string& path);

// The text of the current errno.
std::string lastErrorText();

}  // namespace wendaro
