#pragma once

#include <optional>
#include <string>
#include <vector>

#include "desktop/linux/startup_notices.h"

namespace wendaro {

// A variable a launched program gets otherwise than this program has it:
// set to the value, or unset without one.
struct EnvironmentChange {
  std::string name;
  std::optional<std::string> value;
};

struct LaunchOutcome {
  bool started = false;
  std::string title;   // the entry's localised Name, or its file name when it is no desktop entry
  std::string reason;  // why it did not start, for people
};

// Starts a desktop entry through GIO, which applies its field codes, its
// working directory (Path, else the home directory) and D-Bus activation.
// An entry with Terminal=true runs in the user's terminal: xdg-terminal-exec,
// else x-terminal-emulator -e, else $TERMINAL -e. With `notices`, an entry
// that asks for launch feedback gets it there.
LaunchOutcome launchDesktopEntry(const std::string& path, const std::vector<EnvironmentChange>& environment,
                                 StartupNotices* notices);

// The command that runs a command line in the user's terminal, as words to
// put before it; none when no terminal is found.
std::optional<std::vector<std::string>> terminalCommand();

}  // namespace wendaro
