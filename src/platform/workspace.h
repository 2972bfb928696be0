#pragma once

#include <string>

#include "platform/image.h"
#include "platform/url.h"

namespace wendaro {

// What asking for a launch came to: started, or not and why, in the words
// the user is told ("cannot launch Mail: it is no longer there").
struct LaunchResult {
  bool started = false;
  std::string failure;
};

class Workspace {
 public:
  virtual ~Workspace() = default;
  // Asks the desktop to start the application at the path.
  virtual LaunchResult launchApplication(const std::string& appPath) = 0;
  // The desktop's icon for the path; always an image, also for a path where
  // nothing exists.
  virtual ImageRef iconForFile(const std::string& path) = 0;
  // Hands the URL to the desktop (mail client, browser); true when something
  // took it.
  virtual bool openURL(const Url& url) = 0;
};

}  // namespace wendaro
