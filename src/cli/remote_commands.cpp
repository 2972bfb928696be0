#include "cli/remote_commands.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "desktop/store/config_paths.h"
#include "desktop/store/store_lock.h"
#include "remote/remote_client.h"
#include "remote/remote_interface.h"

namespace wendaro::cli {

namespace {

// The desktop hands a program it starts an activation token; passed on, it
// lets the app that the request starts take the focus.
std::string ownActivationToken() {
  const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
  return token ? token : "";
}

// App paths are absolute, as the walk found them: a relative path is taken
// from the current directory, and written without "." and ".." components
// or a trailing slash.
std::string absoluteAppPath(const std::string& path) {
  std::error_code failed;
  std::filesystem::path absolute = std::filesystem::absolute(path, failed);
  if (failed) return path;
  std::string text = absolute.lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

}  // namespace

int runRemoteCommand(const Command& command, std::ostream& errors) {
  const char* method = remote::kOpenMenu;
  std::optional<std::string> argument;
  if (command.kind == CommandKind::Launch) {
    method = remote::kLaunchApp;
    argument = absoluteAppPath(command.target);
  } else if (command.kind == CommandKind::LaunchCategory) {
    method = remote::kLaunchCategory;
    argument = command.target;
  }
  const remote::Reply reply = remote::callRunningProgram(method, argument, ownActivationToken());
  if (reply.done) return 0;
  errors << "wendaro: " << reply.problem << std::endl;
  return 1;
}

std::optional<int> answerForRunningCopy(std::ostream& errors) {
  StoreLock lock(settingsLockPath());
  if (lock.tryAcquire()) return std::nullopt;
  errors << lock.refusalMessage() << std::endl;
  // The running copy may be out of reach (no bus, another session); then the
  // message is all there is.
  remote::callRunningProgram(remote::kOpenMenu, std::nullopt, ownActivationToken());
  return 1;
}

}  // namespace wendaro::cli
