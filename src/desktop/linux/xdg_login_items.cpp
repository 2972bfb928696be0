#include "desktop/linux/xdg_login_items.h"

#include <cerrno>
#include <cctype>

#include "desktop/linux/desktop_entry.h"
#include "desktop/store/atomic_file.h"

namespace wendaro {

namespace {

constexpr mode_t kEntryMode = 0644;

// A desktop file name: letters, digits, '.', '-' and '_', not starting with a dot.
bool isUsableIdentifier(const std::string& identifier) {
  if (identifier.empty() || identifier.front() == '.') return false;
  for (char c : identifier) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '_') return false;
  }
  return true;
}

}  // namespace

XdgLoginItems::XdgLoginItems(std::string autostartDirectory, std::string executablePath, std::ostream& errors,
                             FileCalls& calls)
    : autostartDirectory_(std::move(autostartDirectory)),
      executablePath_(std::move(executablePath)),
      errors_(errors),
      calls_(calls) {}

std::string XdgLoginItems::entryPath(const std::string& identifier) const {
  return autostartDirectory_ + "/" + identifier + ".desktop";
}

bool XdgLoginItems::setLoginItemEnabled(const std::string& identifier, bool enabled) {
  if (!isUsableIdentifier(identifier)) return fail("\"" + identifier + "\" cannot name an autostart entry");
  const std::string path = entryPath(identifier);
  if (!enabled) {
    if (calls_.removeFile(path) != 0 && errno != ENOENT) return fail("cannot remove " + path + ": " + lastErrorText());
    return true;
  }
  Result<std::string> entry = autostartEntryText(executablePath_);
  if (!entry.ok()) return fail("cannot write " + path + ": " + entry.error().message);
  WriteOutcome outcome = writeFileAtomically(path, entry.value(), kEntryMode, calls_);
  if (!outcome.succeeded) return fail(outcome.failure);
  return true;
}

bool XdgLoginItems::fail(const std::string& why) {
  errors_ << "wendaro: the autostart entry was not changed: " << why << "\n";
  return false;
}

}  // namespace wendaro
