#pragma once

#include <iosfwd>
#include <memory>

#include "platform/defaults_store.h"

namespace wendaro::cli {

// A copy of the user's stored settings for commands that only read them. The
// settings file is neither locked nor changed; a file that cannot be used is
// reported on `errors` and the copy is empty (the defaults apply).
std::unique_ptr<const DefaultsStore> openStoredDefaults(std::ostream& errors);

}  // namespace wendaro::cli
