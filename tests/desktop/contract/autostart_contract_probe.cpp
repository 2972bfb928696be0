// Enables or disables the login item the way the program does, in the
// autostart directory that the XDG rules locate.
#include <cstring>
#include <iostream>

#include "desktop/linux/xdg_login_items.h"
#include "desktop/store/config_paths.h"

int main(int argc, char** argv) {
  const char* identifier = "org.wendaro.Wendaro-2-Helper";
  if (argc == 3 && std::strcmp(argv[1], "enable") == 0) {
    return wendaro::XdgLoginItems(wendaro::autostartDirectory(), argv[2]).setLoginItemEnabled(identifier, true) ? 0 : 1;
  }
  if (argc == 2 && std::strcmp(argv[1], "disable") == 0) {
    return wendaro::XdgLoginItems(wendaro::autostartDirectory(), "").setLoginItemEnabled(identifier, false) ? 0 : 1;
  }
  std::cerr << "usage: autostart_contract_probe enable PROGRAM | disable\n";
  return 2;
}
