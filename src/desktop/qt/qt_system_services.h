#pragma once

#include <cstdio>
#include <string>

#include "platform/system_services.h"

namespace wendaro {

class SystemClock : public Clock {
 public:
  double timeIntervalSinceReferenceDate() const override;
};

// Lines on a C stream, flushed at once so that they are not lost when the
// program is ended.
class StreamOutput : public StandardOutput {
 public:
  explicit StreamOutput(std::FILE* stream = stdout) : stream_(stream) {}
  void writeLine(std::string_view line) override;

 private:
  std::FILE* stream_;
};

// The version of the running system as it names itself (Debian 12 is 12.0.0).
class QtSystemInfo : public SystemInfo {
 public:
  OperatingSystemVersion operatingSystemVersion() const override;
};

// For a run that shows nothing (--print-menu): the login item stays as the
// user has it, whatever the settings say, and there is no failure to tell.
class UnchangedLoginItems : public LoginItems {
 public:
  bool setLoginItemEnabled(const std::string&, bool) override { return true; }
};

// No rating prompt on this desktop.
class NoStoreReview : public StoreReview {
 public:
  void requestReview() override {}
};

// "12", "22.04" or "6.1.0-13-amd64" as a version; parts that are missing or
// not numbers count as 0.
OperatingSystemVersion parseOperatingSystemVersion(std::string_view text);

}  // namespace wendaro
