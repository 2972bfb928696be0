#include "cli/list_apps.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>

#include "discovery/app_names.h"
#include "discovery/app_walk.h"
#include "settings/defaults_keys.h"
#include "settings/shape_checks.h"

namespace wendaro::cli {

namespace {

// The bytes as a terminal can show them: each byte that is not part of valid
// UTF-8, and each control character (C0, DEL and C1), as \xNN.
std::string printable(std::string_view bytes) {
  std::string shown;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const auto length = static_cast<int32_t>(bytes.size());
  for (int32_t i = 0; i < length;) {
    const int32_t start = i;
    UChar32 c;
    U8_NEXT(data, i, length, c);
    if (c >= 0x20 && !(c >= 0x7F && c <= 0x9F)) {
      shown.append(bytes.substr(start, i - start));
      continue;
    }
    for (int32_t b = start; b < i; ++b) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", data[b]);
      shown += escaped;
    }
  }
  return shown;
}

class ErrorStreamReporter : public ScanObserver {
 public:
  // Of the default directories, when they are watched, those that are not
  // there are not worth telling: a desktop has only some of them.
  ErrorStreamReporter(std::ostream& err, std::vector<std::string> defaults)
      : err_(err), defaults_(std::move(defaults)) {}
  void couldNotRead(std::string_view path, OpenFailure failure, std::string_view reason) override {
    const bool aDefaultNotThere = failure == OpenFailure::Missing &&
                                  std::find(defaults_.begin(), defaults_.end(), path) != defaults_.end();
    if (!aDefaultNotThere) err_ << "wendaro: cannot read " << printable(path) << ": " << reason << '\n';
  }
  void skipped(std::string_view path, std::string_view reason) override {
    err_ << "wendaro: skipped " << printable(path) << ": " << reason << '\n';
  }

 private:
  std::ostream& err_;
  std::vector<std::string> defaults_;
};

}  // namespace

std::vector<std::string> watchedDirectories(const DefaultsStore& store, const AppKinds& kinds) {
  if (auto stored = store.objectForKey(keys::kDirectories)) {
    if (auto paths = asStringArray(*stored)) return std::move(*paths);
  }
  return kinds.defaultDirectories();
}

int listApps(const std::vector<std::string>& directories, const DefaultsStore& store, FileManager& files,
             AppKinds& kinds, std::ostream& out, std::ostream& err) {
  const std::vector<std::string> roots = directories.empty() ? watchedDirectories(store, kinds) : directories;
  ErrorStreamReporter reporter(err, directories.empty() ? kinds.defaultDirectories() : std::vector<std::string>());
  AppScan scan;
  kinds.beginScan();
  for (const auto& root : roots) collectAppPaths(files, kinds, root, scan, &reporter);
  sortInAppNameOrder(scan);
  for (const auto& app : scan.apps) out << app << '\n';
  out.flush();
  if (!out) {
    err << "wendaro: cannot write the list of apps\n";
    return 1;
  }
  // Only a directory named on the command line fails the command; its lines
  // on the error stream name it already.
  const auto& unread = scan.unreadDirectories;
  const bool namedUnread = std::any_of(directories.begin(), directories.end(), [&](const std::string& directory) {
    return std::find(unread.begin(), unread.end(), directory) != unread.end();
  });
  return namedUnread ? 1 : 0;
}

}  // namespace wendaro::cli
