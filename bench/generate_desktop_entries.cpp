// generate_desktop_entries COUNT DIR: writes COUNT synthetic desktop entries
// of about 4 KB into the existing directory DIR.
#include <cstdlib>
#include <iostream>
#include <system_error>

#include "desktop_entry_files.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::cerr << "usage: generate_desktop_entries COUNT DIR\n";
    return 2;
  }
  try {
    wendaro::bench::writeDesktopEntries(argv[2], std::strtoull(argv[1], nullptr, 10));
  } catch (const std::system_error& error) {
    std::cerr << "generate_desktop_entries: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
