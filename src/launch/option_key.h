#pragma once

#include "platform/modifier_flags.h"

namespace wendaro {

// The Option test: true only when Option is the one modifier held. Option
// with any other modifier, or none, counts as a plain click.
constexpr bool isOptionOnly(ModifierFlags flags) { return flags == kOptionKeyMask; }

}  // namespace wendaro
