#pragma once

#include <functional>

namespace wendaro {

class DesktopSession;

// Claims the user's settings, makes the application and a session, and runs
// `run` with the session, giving what it gives. Refused with a message (exit
// status 1), before anything is made, while another copy runs for the same
// user. Without the tray nothing is shown and no display is needed. argv[0]
// is the absolute path of the program that launch at login starts.
int runDesktopSession(int argc, char** argv, bool showsTray, const std::function<int(DesktopSession&)>& run);

// The tray launcher: starts up, shows the tray icon and runs until "Quit".
int runTrayProgram(int argc, char** argv);

}  // namespace wendaro
