#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wendaro {

// Where launch feedback goes on an X server: the desktop shows a busy
// cursor or a launching entry for a program being started, and lets its
// first window take the focus, until the program says it is ready or the
// start is taken back.
class StartupNotices {
 public:
  virtual ~StartupNotices() = default;

  // The server time of the user's last key or button event this program
  // received; 0 when there was none.
  virtual std::uint32_t lastUserTime() const = 0;
  // The number of the screen this program shows on.
  virtual int screen() const = 0;
  // The virtual desktop the user is on, when the window manager says.
  virtual std::optional<std::uint32_t> currentDesktop() = 0;
  // Sends one message ("new: ID=...", "remove: ID=...") to every client
  // listening on the root window.
  virtual void broadcast(const std::string& message) = 0;
};

}  // namespace wendaro
