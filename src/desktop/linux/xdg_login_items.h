#pragma once

#include <iostream>
#include <string>

#include "desktop/store/file_calls.h"
#include "platform/system_services.h"

namespace wendaro {

// Starting the program at login through an XDG autostart entry named after
// the login item: "<autostart directory>/<identifier>.desktop". Enabling
// writes (or rewrites) the entry atomically, disabling removes it; either
// reports failure as false, with the reason on `errors`.
class XdgLoginItems : public LoginItems {
 public:
  // `executablePath`: the absolute path of the installed program to start.
  XdgLoginItems(std::string autostartDirectory, std::string executablePath, std::ostream& errors = std::cerr,
                FileCalls& calls = systemFileCalls());

  bool setLoginItemEnabled(const std::string& identifier, bool enabled) override;

  std::string entryPath(const std::string& identifier) const;

 private:
  bool fail(const std::string& why);

  std::string autostartDirectory_;
  std::string executablePath_;
  std::ostream& errors_;
  FileCalls& calls_;
};

}  // namespace wendaro
