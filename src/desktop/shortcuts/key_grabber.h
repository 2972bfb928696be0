#pragma once

#include <functional>
#include <optional>
#include <string>

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

// What a desktop that chooses the keys of the program's shortcuts itself
// (through its global shortcuts portal) says about one of them.
struct DesktopTrigger {
  enum class State {
    Pending,   // asked, no answer yet
    Assigned,  // `keys` trigger it
    Unassigned,  // taken, but no keys trigger it yet
    Refused,   // the desktop refused the program's shortcuts
  };
  State state = State::Pending;
  // The desktop's own words for the keys, for showing ("Ctrl+Alt+K").
  std::string keys;
  friend bool operator==(const DesktopTrigger&, const DesktopTrigger&) = default;
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

  // False when nothing can watch the keyboard globally in this session.
  virtual bool watchesKeyboard() const { return true; }
  // Where the desktop, not the grab, decides the keys of a grabbed
  // combination: what it says of them. Nothing where the grab is the keys.
  virtual std::optional<DesktopTrigger> desktopTrigger(const Shortcut&) const { return std::nullopt; }
  // Called with a combination whose desktopTrigger() may have changed.
  virtual void setTriggerHandler(std::function<void(const Shortcut&)>) {}
  // The shortcut editor starts or stops recording; grabs and let-gos come
  // in between that are no change of the program's shortcuts.
  virtual void setRecording(bool) {}
};

}  // namespace wendaro
