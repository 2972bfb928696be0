#pragma once

#include <string_view>

#include "platform/file_manager.h"

namespace wendaro {

// Hears what the walk for apps passes over. The application itself listens to
// nothing (a failed listing contributes nothing, silently); the command line
// tells the user.
class ScanObserver {
 public:
  virtual ~ScanObserver() = default;
  // A directory below a watched one that could not be listed, or a watched
  // directory that could not be listed for any reason (missing included).
  virtual void couldNotRead(std::string_view path, OpenFailure failure, std::string_view reason) = 0;
  // A path left out, given as raw bytes, and why: it cannot be an app path
  // (see whyNotAnAppPathName), or it is an app file that is not valid.
  virtual void skipped(std::string_view path, std::string_view reason) = 0;
};

}  // namespace wendaro
