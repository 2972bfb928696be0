#pragma once

#include <optional>

#include "platform/shortcuts.h"

namespace wendaro::x11 {

// The Qt::Key of the shortcut's key, read as Qt's portable key name ("K",
// "F5", "PgUp"); nothing when it names no single key.
std::optional<int> qtKeyOf(const Shortcut& shortcut);

}  // namespace wendaro::x11
