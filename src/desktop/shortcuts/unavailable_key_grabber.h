#pragma once

#include "desktop/shortcuts/key_grabber.h"

namespace wendaro {

// For sessions where nothing can watch the keyboard globally: every grab is
// refused and nothing is ever pressed.
class UnavailableKeyGrabber : public KeyGrabber {
 public:
  GrabOutcome grab(const Shortcut&) override { return GrabOutcome::NotAvailable; }
  void ungrab(const Shortcut&) override {}
  void setPressHandler(PressHandler) override {}
  bool watchesKeyboard() const override { return false; }
};

}  // namespace wendaro
