#pragma once

#include "platform/shortcuts.h"

namespace wendaro {

// Orders shortcuts so that they can key maps and sets.
struct ShortcutOrder {
  bool operator()(const Shortcut& a, const Shortcut& b) const {
    if (a.keyCodeStringForKeyEquivalent != b.keyCodeStringForKeyEquivalent) {
      return a.keyCodeStringForKeyEquivalent < b.keyCodeStringForKeyEquivalent;
    }
    return a.modifierFlags < b.modifierFlags;
  }
};

}  // namespace wendaro
