#pragma once

#include <memory>

#include "platform/defaults_store.h"

namespace wendaro::cli {

// The user's defaults store, for reading only. Every command that reads the
// stored settings gets the store from here.
std::unique_ptr<const DefaultsStore> openStoredDefaults();

}  // namespace wendaro::cli
