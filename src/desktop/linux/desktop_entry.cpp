#include "desktop/linux/desktop_entry.h"

#include "discovery/app_names.h"

namespace wendaro {

std::string quotedExecArgument(std::string_view argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    // Inside quotes a backslash protects " ` $ and itself.
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    // A single % starts a field code.
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + "\"";
}

std::string execArgument(std::string_view argument) {
  // A string value escapes each backslash once more.
  std::string value;
  for (char c : quotedExecArgument(argument)) {
    if (c == '\\') value += '\\';
    value += c;
  }
  return value;
}

Result<std::string> autostartEntryText(const std::string& executablePath) {
  if (executablePath.empty() || executablePath.front() != '/') {
    return PlatformError{"the program's path \"" + executablePath + "\" is not absolute"};
  }
  if (!isValidUtf8(executablePath)) return PlatformError{"the program's path is not UTF-8 text"};
  // Control characters are single bytes in UTF-8.
  for (char c : executablePath) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      return PlatformError{"the program's path holds a control character"};
    }
  }
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.4\n"
         "Name=Wendaro\n"
         "Comment=Starts Wendaro at login\n"
         "Exec=" + execArgument(executablePath) + "\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace wendaro
