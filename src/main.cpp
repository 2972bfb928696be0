// The wendaro program: chooses what to run from the command line. What
// shows nothing runs here, without Qt; the tray and --print-menu run in the
// desktop program.
#include <iostream>

#include "cli/command_line.h"
#include "cli/desktop_program.h"
#include "cli/list_apps.h"
#include "cli/remote_commands.h"
#include "cli/stored_defaults.h"
#include "desktop/linux/linux_app_kinds.h"
#include "desktop/linux/posix_file_manager.h"
#include "desktop/linux/standard_descriptors.h"

int main(int argc, char* argv[]) {
  using namespace wendaro;
  openClosedStandardDescriptors();
  std::ios::sync_with_stdio(false);
  const cli::Command command = cli::parseCommandLine(argc, argv);
  switch (command.kind) {
    case cli::CommandKind::Tray:
      if (const auto refused = cli::answerForRunningCopy(std::cerr)) return *refused;
      return cli::runDesktopProgram(argc, argv);
    case cli::CommandKind::OpenMenu:
    case cli::CommandKind::Launch:
    case cli::CommandKind::LaunchCategory:
      return cli::runRemoteCommand(command, std::cerr);
    case cli::CommandKind::PrintMenu:
      return cli::runDesktopProgram(argc, argv);
    case cli::CommandKind::ListApps: {
      const auto store = cli::openStoredDefaults(std::cerr);
      PosixFileManager files;
      LinuxAppKinds kinds(files);
      return cli::listApps(command.directories, *store, files, kinds, std::cout, std::cerr);
    }
    case cli::CommandKind::Help:
      return cli::printText(cli::usage(), std::cout, std::cerr);
    case cli::CommandKind::Version:
      return cli::printText(cli::versionLine(), std::cout, std::cerr);
    case cli::CommandKind::Invalid:
      std::cerr << command.error << "\n\n" << cli::usage();
      return 2;
  }
  return 2;
}
