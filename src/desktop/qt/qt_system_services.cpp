#include "desktop/qt/qt_system_services.h"

#include <QString>
#include <QSysInfo>

#include <chrono>
#include <charconv>

namespace wendaro {

namespace {

// 2001-01-01 00:00:00 UTC in seconds since 1970-01-01 00:00:00 UTC.
constexpr double kReferenceDateSinceUnixEpoch = 978307200.0;

}  // namespace

double SystemClock::timeIntervalSinceReferenceDate() const {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::duration<double>(now).count() - kReferenceDateSinceUnixEpoch;
}

void StreamOutput::writeLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stream_);
  std::fputc('\n', stream_);
  std::fflush(stream_);
}

OperatingSystemVersion parseOperatingSystemVersion(std::string_view text) {
  long parts[3] = {0, 0, 0};
  for (long& part : parts) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), part);
    if (error != std::errc()) {
      part = 0;
      break;
    }
    text.remove_prefix(std::size_t(end - text.data()));
    if (text.empty() || text.front() != '.') break;
    text.remove_prefix(1);
  }
  return {parts[0], parts[1], parts[2]};
}

OperatingSystemVersion QtSystemInfo::operatingSystemVersion() const {
  return parseOperatingSystemVersion(QSysInfo::productVersion().toStdString());
}

}  // namespace wendaro
