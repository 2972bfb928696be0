#pragma once

namespace wendaro::cli {

// Hands the process over to the desktop program (the tray launcher and
// --print-menu, the parts that need Qt), with the same arguments. The
// command line keeps no Qt of its own, so that the commands that show
// nothing start at once. The desktop program is looked for beside this
// program (a build tree) and in the folder it is installed to; it gets this
// program's absolute path as its argv[0], which is what launch at login
// starts. Returns only when the desktop program could not be started, with
// the exit status after saying why on standard error.
int runDesktopProgram(int argc, char* argv[]);

}  // namespace wendaro::cli
