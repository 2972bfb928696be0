#pragma once

#include <cstdint>

namespace wendaro {

// Modifier keys as a bit set. The bit values are the ones stored shortcuts and
// the Option test are defined with.
using ModifierFlags = std::uint64_t;

inline constexpr ModifierFlags kShiftKeyMask = 1u << 17;
inline constexpr ModifierFlags kControlKeyMask = 1u << 18;
inline constexpr ModifierFlags kOptionKeyMask = 1u << 19;  // Alt on PC keyboards
inline constexpr ModifierFlags kCommandKeyMask = 1u << 20;  // Super / Meta

}  // namespace wendaro
