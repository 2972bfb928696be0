#pragma once

class QApplication;

namespace wendaro {

// Names the program to the desktop: its name, version, menu entry and icon.
void describeProgram(QApplication& application);

}  // namespace wendaro
