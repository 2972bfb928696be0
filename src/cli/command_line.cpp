#include "cli/command_line.h"

#include <string_view>

namespace wendaro::cli {

Command parseCommandLine(int argc, const char* const argv[]) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  if (arguments.empty()) return {CommandKind::Tray, {}, {}, {}};
  const std::string_view option = arguments.front();
  if (option == "--list-apps") return {CommandKind::ListApps, {arguments.begin() + 1, arguments.end()}, {}, {}};
  if (option == "--launch" || option == "--launch-category") {
    if (arguments.size() != 2) {
      return {CommandKind::Invalid, {}, {}, "wendaro: " + std::string(option) + " takes one argument"};
    }
    const CommandKind kind = option == "--launch" ? CommandKind::Launch : CommandKind::LaunchCategory;
    return {kind, {}, std::string(arguments[1]), {}};
  }
  if (option == "--open-menu" || option == "--help" || option == "-h" || option == "--version" ||
      option == "--print-menu") {
    if (arguments.size() > 1) {
      return {CommandKind::Invalid, {}, {}, "wendaro: " + std::string(option) + " takes no arguments"};
    }
    if (option == "--print-menu") return {CommandKind::PrintMenu, {}, {}, {}};
    if (option == "--open-menu") return {CommandKind::OpenMenu, {}, {}, {}};
    return {option == "--version" ? CommandKind::Version : CommandKind::Help, {}, {}, {}};
  }
  return {CommandKind::Invalid, {}, {}, "wendaro: unknown option " + std::string(option)};
}

std::string usage() {
  return "Usage: wendaro\n"
         "       wendaro --print-menu\n"
         "       wendaro --list-apps [DIR ...]\n"
         "       wendaro --open-menu | --launch PATH | --launch-category NAME\n"
         "       wendaro --help | --version\n"
         "\n"
         "  (no option)            run the tray launcher (one per user); while it\n"
         "                         runs, open its main menu instead\n"
         "  --print-menu           start up as the tray launcher would, without\n"
         "                         showing anything, print the main menu (two spaces\n"
         "                         of indent per submenu, --- for a separator, a tab\n"
         "                         before a shortcut) and exit; refused while the\n"
         "                         tray launcher runs\n"
         "  --list-apps [DIR ...]  print every app found under the directories, one\n"
         "                         path per line, in the order of the All Apps menu;\n"
         "                         without DIR, under the watched directories.\n"
         "                         Directories that cannot be read and names left out\n"
         "                         (not valid UTF-8, or holding a control character)\n"
         "                         are named on standard error.\n"
         "  --open-menu            open the running tray launcher's main menu at the\n"
         "                         pointer (bind this to a key where global shortcuts\n"
         "                         are not available)\n"
         "  --launch PATH          have the running tray launcher start the app at\n"
         "                         PATH, one of its apps (All Apps, favourites, pinned\n"
         "                         apps or a category's)\n"
         "  --launch-category NAME have the running tray launcher start every app of\n"
         "                         the category (its \"Launch All\")\n"
         "  --help                 show this text\n"
         "  --version              show the version\n";
}

std::string versionLine() { return "wendaro " WENDARO_VERSION "\n"; }

int printText(const std::string& text, std::ostream& out, std::ostream& err) {
  out << text;
  out.flush();
  if (out) return 0;
  err << "wendaro: cannot write to standard output\n";
  return 1;
}

}  // namespace wendaro::cli
