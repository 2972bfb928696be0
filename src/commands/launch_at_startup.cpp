#include "app/app_delegate.h"
#include "commands/command_constants.h"
#include "settings/defaults_keys.h"

namespace wendaro {

// The command inverts what the check mark shows; a mixed mark counts as on.
void AppDelegate::launchAtStartup(const MenuItem& sender) {
  platform.defaults.setBool(keys::kLaunchAtStartup, sender.state() == kControlStateOff);
  updateLaunchAtStartup();
}

// The stored flag is the truth: the check mark shows it and the login item
// follows it. A refused change is reported and not retried.
void AppDelegate::updateLaunchAtStartup() {
  const bool enabled = platform.defaults.boolForKey(keys::kLaunchAtStartup);
  launchAtStartupMenuItem->setState(enabled ? kControlStateOn : kControlStateOff);
  if (!platform.loginItems.setLoginItemEnabled(kLoginItemIdentifier, enabled)) {
    platform.standardOutput.writeLine(kLoginItemFailureMessage);
  }
}

}  // namespace wendaro
