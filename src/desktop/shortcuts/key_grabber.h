#pragma once

#include <functional>

#include "platform/shortcuts.h"

namespace wendaro {

enum class GrabOutcome {
  Grabbed,
  // Another program holds the combination; presses go there, not here.
  TakenByAnotherProgram,
  // The combination cannot be watched here: no global shortcuts in this
  // session, or a key this keyboard cannot type.
  NotAvailable,
};

// The desktop's way of watching key combinations anywhere on the screen.
// Everything runs on the main thread.
class KeyGrabber {
 public:
  using PressHandler = std::function<void(const Shortcut&)>;

  virtual ~KeyGrabber() = default;
  // Starts watching the combination, whatever the lock keys.
  virtual GrabOutcome grab(const Shortcut& combination) = 0;
  // Stops watching a combination that grab() returned Grabbed for.
  virtual void ungrab(const Shortcut& combination) = 0;
  // Called with the grabbed combination each time it is pressed, from the
  // main thread's event loop (never from inside grab or ungrab).
  virtual void setPressHandler(PressHandler handler) = 0;
};

}  // namespace wendaro
