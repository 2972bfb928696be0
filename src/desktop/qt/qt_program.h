#pragma once

#include <string>

class QApplication;

namespace wendaro {

// Names the program to the desktop: its name, version, menu entry and icon.
void describeProgram(QApplication& application);

// The absolute path of the running program, for launch at login.
std::string programPath();

}  // namespace wendaro
