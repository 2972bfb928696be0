#pragma once

#include <set>
#include <string>
#include <vector>

#include "desktop/shortcuts/key_grabber.h"
#include "desktop/shortcuts/shortcut_order.h"
#include "fake/fake_shortcuts.h"

namespace wendaro::test {

// The text the fake store keeps for a shortcut ("Ctrl+Alt+K").
inline std::string textOf(const Shortcut& shortcut) {
  std::string text;
  if (shortcut.modifierFlags & kControlKeyMask) text += "Ctrl+";
  if (shortcut.modifierFlags & kOptionKeyMask) text += "Alt+";
  if (shortcut.modifierFlags & kShiftKeyMask) text += "Shift+";
  if (shortcut.modifierFlags & kCommandKeyMask) text += "Meta+";
  return text + shortcut.keyCodeStringForKeyEquivalent;
}

// A keyboard in memory: records grabs, refuses the combinations that
// "another program" holds, and presses what a test asks for.
class InMemoryKeyGrabber : public KeyGrabber {
 public:
  GrabOutcome grab(const Shortcut& combination) override {
    calls.push_back("grab " + textOf(combination));
    if (heldElsewhere.count(textOf(combination))) return GrabOutcome::TakenByAnotherProgram;
    if (untypable.count(textOf(combination))) return GrabOutcome::NotAvailable;
    grabbed.insert(textOf(combination));
    return GrabOutcome::Grabbed;
  }
  void ungrab(const Shortcut& combination) override {
    calls.push_back("ungrab " + textOf(combination));
    grabbed.erase(textOf(combination));
  }
  void setPressHandler(PressHandler handler) override { handler_ = std::move(handler); }

  // The user presses the combination: it reaches the handler only while grabbed.
  bool press(const std::string& text) {
    if (!grabbed.count(text) || !handler_) return false;
    handler_(*fake::parseShortcut(text));
    return true;
  }
  bool hasHandler() const { return static_cast<bool>(handler_); }

  std::vector<std::string> calls;
  std::set<std::string> grabbed;
  std::set<std::string> heldElsewhere;
  std::set<std::string> untypable;

 private:
  PressHandler handler_;
};

}  // namespace wendaro::test
