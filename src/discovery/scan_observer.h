#pragma once

#include <string_view>

namespace wendaro {

// Hears what the walk for apps passes over. The application itself listens to
// nothing (a failed listing contributes nothing, silently); the command line
// tells the user.
class ScanObserver {
 public:
  virtual ~ScanObserver() = default;
  // A directory below a watched one that could not be listed, or a watched
  // directory that could not be listed for any reason (missing included).
  virtual void couldNotRead(std::string_view path, std::string_view reason) = 0;
  // A path left out because it cannot be an app path (see
  // whyNotAnAppPathName), given as raw bytes, and why.
  virtual void skippedName(std::string_view path, std::string_view reason) = 0;
};

}  // namespace wendaro
