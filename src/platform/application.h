#pragma once

namespace wendaro {

class ApplicationDelegate {
 public:
  virtual ~ApplicationDelegate() = default;
  // Launching has finished; called once.
  virtual void applicationDidFinishLaunching() = 0;
};

// The running application and its event loop.
class Application {
 public:
  virtual ~Application() = default;
  virtual ApplicationDelegate* delegate() const = 0;
  virtual void setDelegate(ApplicationDelegate* delegate) = 0;
  // Ends the process.
  virtual void terminate() = 0;
};

}  // namespace wendaro
