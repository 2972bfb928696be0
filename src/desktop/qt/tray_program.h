#pragma once

namespace wendaro {

// The tray launcher: starts up, shows the tray icon and runs until "Quit".
// Refused with a message (exit status 1) while another copy runs for the
// same user.
int runTrayProgram(int argc, char** argv);

}  // namespace wendaro
