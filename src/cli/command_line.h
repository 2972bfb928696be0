#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace wendaro::cli {

enum class CommandKind { Tray, PrintMenu, ListApps, OpenMenu, Launch, LaunchCategory, Help, Version, Invalid };

struct Command {
  CommandKind kind = CommandKind::Invalid;
  std::vector<std::string> directories;  // for ListApps: every argument after the option
  std::string target;                    // for Launch: the app path; for LaunchCategory: the name
  std::string error;                     // for Invalid: what is wrong, as one line
};

// Reads the program's arguments (argv[0] is the program's name).
Command parseCommandLine(int argc, const char* const argv[]);

// The text of --help and of a wrong command line.
std::string usage();
// The text of --version.
std::string versionLine();

// Writes the text of --help or --version: 0 when it was written, else 1
// with a line on `err` (a full disk, a closed output).
int printText(const std::string& text, std::ostream& out, std::ostream& err);

}  // namespace wendaro::cli
