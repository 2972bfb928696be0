#include "desktop/linux/desktop_entry.h"

#include "desktop/store/text_checks.h"

namespace wendaro {

std::string execArgument(std::string_view argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    // Inside quotes a backslash protects " ` $ and \; every backslash is
    // then written twice, as a string value escapes it.
    if (c == '"' || c == '`' || c == '$') quoted += "\\\\";
    if (c == '\\') quoted += "\\\\\\";
    // A single % starts a field code.
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + "\"";
}

Result<std::string> autostartEntryText(const std::string& executablePath) {
  if (executablePath.empty() || executablePath.front() != '/') {
    return PlatformError{"the program's path \"" + executablePath + "\" is not absolute"};
  }
  std::optional<std::u32string> characters = decodeUtf8(executablePath);
  if (!characters) return PlatformError{"the program's path is not UTF-8 text"};
  for (char32_t c : *characters) {
    if (c < 0x20 || c == 0x7F) return PlatformError{"the program's path holds a control character"};
  }
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.5\n"
         "Name=Wendaro\n"
         "Comment=Starts Wendaro at login\n"
         "Exec=" + execArgument(executablePath) + "\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace wendaro
