#pragma once

#include <Qt>

#include <functional>

#include "platform/events.h"

namespace wendaro {

// The modifier keys as the window system reports them at the moment of the
// query (not those of the last event).
class QtEvents : public Events {
 public:
  using Source = std::function<Qt::KeyboardModifiers()>;
  // By default the keys are asked of the window system; tests pass their own.
  explicit QtEvents(Source source = {});
  ModifierFlags modifierFlags() const override;

 private:
  Source source_;
};

// The modifiers a shortcut may hold, which are those the platform's flags name.
inline constexpr Qt::KeyboardModifiers kShortcutModifiers =
    Qt::MetaModifier | Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;

// Ctrl is kControlKeyMask, Alt kOptionKeyMask, Shift kShiftKeyMask and Meta
// kCommandKeyMask; other modifiers have no flag.
ModifierFlags toModifierFlags(Qt::KeyboardModifiers modifiers);

}  // namespace wendaro
