// The desktop program: the tray launcher and --print-menu, the parts of
// wendaro that need Qt. The wendaro program starts it with its own absolute
// path as argv[0] and passes the rest of its arguments unchanged.
#include <cstdio>
#include <string_view>

#include "cli/print_menu.h"
#include "desktop/linux/standard_descriptors.h"
#include "desktop/qt/tray_program.h"

int main(int argc, char* argv[]) {
  using namespace wendaro;
  openClosedStandardDescriptors();
  if (argc < 1 || argv[0][0] != '/') {
    std::fprintf(stderr, "wendaro-desktop: this program is started by wendaro; run wendaro instead\n");
    return 2;
  }
  if (argc == 1) return runTrayProgram(argc, argv);
  if (argc == 2 && std::string_view(argv[1]) == "--print-menu") return cli::runPrintMenu(argc, argv);
  std::fprintf(stderr, "wendaro-desktop: unexpected arguments; run wendaro instead\n");
  return 2;
}
