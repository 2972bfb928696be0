#pragma once

#include <string>

namespace wendaro {

// The user's home directory: $HOME when it is an absolute path, else the home
// directory of the user's account.
std::string homeDirectory();

// The user's configuration directory: $XDG_CONFIG_HOME when it is an
// absolute path (a relative one is ignored, as the XDG base directory rules
// say), else $HOME/.config, else the home directory of the user's account
// followed by /.config.
std::string configHome();
// The same rule on given values (null for an unset variable).
std::string configHomeFrom(const char* xdgConfigHome, const char* home);

// Where the program keeps its settings: <config home>/wendaro.
std::string settingsDirectory();
// <config home>/wendaro/defaults.plist
std::string settingsFilePath();
// <config home>/wendaro/wendaro.lock, held by the one running copy.
std::string settingsLockPath();
// <config home>/autostart, where the desktop finds the programs to start at login.
std::string autostartDirectory();

}  // namespace wendaro
