#pragma once

#include "platform/application.h"

namespace wendaro {

// The running Qt application: its delegate is the application object, and
// terminating ends the event loop.
class QtApplication : public Application {
 public:
  ApplicationDelegate* delegate() const override { return delegate_; }
  void setDelegate(ApplicationDelegate* delegate) override { delegate_ = delegate; }
  void terminate() override;

 private:
  ApplicationDelegate* delegate_ = nullptr;
};

}  // namespace wendaro
