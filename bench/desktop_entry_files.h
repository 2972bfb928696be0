#pragma once

#include <cstddef>
#include <string>

namespace wendaro::bench {

// Writes `count` desktop entries of about 4 KB each, like those a
// distribution installs (names, comments and keywords in some 40 languages,
// an action group), into the existing directory `directory`, as
// app-N.desktop. One in ten runs a program that is not installed, one in
// twenty is NoDisplay, one in fifty has no [Desktop Entry] first and is no
// entry at all. The same files for the same count.
void writeDesktopEntries(const std::string& directory, std::size_t count);

}  // namespace wendaro::bench
