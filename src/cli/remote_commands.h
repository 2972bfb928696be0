#pragma once

#include <optional>
#include <ostream>

#include "cli/command_line.h"

namespace wendaro::cli {

// --open-menu, --launch PATH and --launch-category NAME: asks the running
// tray launcher to do it. 0 when it did; 1, with the reason on `errors`,
// when no tray launcher runs or it does not know the target.
int runRemoteCommand(const Command& command, std::ostream& errors);

// A plain start while the tray launcher runs for this user: says so on
// `errors`, opens the running one's main menu instead and gives the exit
// status 1. Nothing when no copy holds the settings.
std::optional<int> answerForRunningCopy(std::ostream& errors);

}  // namespace wendaro::cli
