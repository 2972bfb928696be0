#include "cli/command_line.h"

#include <string_view>

namespace wendaro::cli {

Command parseCommandLine(int argc, const char* const argv[]) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  if (arguments.empty()) return {CommandKind::Tray, {}, {}};
  const std::string_view option = arguments.front();
  if (option == "--list-apps") return {CommandKind::ListApps, {arguments.begin() + 1, arguments.end()}, {}};
  if (option == "--help" || option == "-h" || option == "--version" || option == "--print-menu") {
    if (arguments.size() > 1) {
      return {CommandKind::Invalid, {}, "wendaro: " + std::string(option) + " takes no arguments"};
    }
    if (option == "--print-menu") return {CommandKind::PrintMenu, {}, {}};
    return {option == "--version" ? CommandKind::Version : CommandKind::Help, {}, {}};
  }
  return {CommandKind::Invalid, {}, "wendaro: unknown option " + std::string(option)};
}

std::string usage() {
  return "Usage: wendaro\n"
         "       wendaro --print-menu\n"
         "       wendaro --list-apps [DIR ...]\n"
         "       wendaro --help | --version\n"
         "\n"
         "  (no option)            run the tray launcher (one per user)\n"
         "  --print-menu           start up as the tray launcher would, without\n"
         "                         showing anything, print the main menu (two spaces\n"
         "                         of indent per submenu, --- for a separator, a tab\n"
         "                         before a shortcut) and exit; refused while the\n"
         "                         tray launcher runs\n"
         "  --list-apps [DIR ...]  print every app found under the directories, one\n"
         "                         path per line, in the order of the All Apps menu;\n"
         "                         without DIR, under the watched directories.\n"
         "                         Directories that cannot be read and names that are\n"
         "                         not valid UTF-8 are named on standard error.\n"
         "  --help                 show this text\n"
         "  --version              show the version\n";
}

std::string versionLine() { return "wendaro " WENDARO_VERSION "\n"; }

}  // namespace wendaro::cli
