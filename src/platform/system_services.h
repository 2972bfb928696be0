#pragma once

#include <string>
#include <string_view>

namespace wendaro {

// Starting a helper program at login.
class LoginItems {
 public:
  virtual ~LoginItems() = default;
  // Enables or disables the login item; true when that succeeded.
  virtual bool setLoginItemEnabled(const std::string& identifier, bool enabled) = 0;
};

// The desktop's own prompt for rating the program.
class StoreReview {
 public:
  virtual ~StoreReview() = default;
  virtual void requestReview() = 0;
};

// The update mechanism.
class Updater {
 public:
  virtual ~Updater() = default;
  // A check that shows nothing unless there is an update.
  virtual void checkForUpdatesInBackground() = 0;
  // A check with its own user interface.
  virtual void checkForUpdates() = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since 2001-01-01 00:00:00 UTC.
  virtual double timeIntervalSinceReferenceDate() const = 0;
};

class StandardOutput {
 public:
  virtual ~StandardOutput() = default;
  // Writes the text and a line feed.
  virtual void writeLine(std::string_view line) = 0;
};

struct OperatingSystemVersion {
  long majorVersion = 0;
  long minorVersion = 0;
  long patchVersion = 0;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual OperatingSystemVersion operatingSystemVersion() const = 0;
};

}  // namespace wendaro
