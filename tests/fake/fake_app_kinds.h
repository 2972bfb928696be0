#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fake/fake_file_system.h"
#include "platform/app_kinds.h"
#include "platform/directory_watcher.h"

namespace wendaro::fake {

// The desktop's kinds of app, told by path.
class FakeAppKinds : public AppKinds {
 public:
  explicit FakeAppKinds(FakeFileSystem& files) : files_(files) {}
  void beginScan() override { ++scansBegun; }
  std::optional<AppFile> examine(const DirectoryHandle& directory, const DirectoryEntry& entry,
                                 std::string_view path) override;
  std::vector<std::string> defaultDirectories() const override { return defaults; }

  // Control: a file at `path` that the desktop takes for this app file.
  void addAppFile(const std::string& path, const AppFile& file);
  // A desktop entry: an app file identified by its desktop-file ID.
  void addDesktopEntry(const std::string& path, const std::string& title,
                       AppFile::Verdict verdict = AppFile::Verdict::Shown);
  std::vector<std::string> defaults = {"/Applications", "/System/Applications"};
  int scansBegun = 0;

 private:
  FakeFileSystem& files_;
  std::map<std::string, AppFile, std::less<>> appFiles_;
};

class FakeDirectoryWatcher : public DirectoryWatcher {
 public:
  void watchDirectories(const std::vector<std::string>& directories, std::function<void()> changed) override {
    watched = directories;
    changed_ = std::move(changed);
  }
  // Control: something changed below the watched directories.
  void change() { changed_(); }
  std::vector<std::string> watched;

 private:
  std::function<void()> changed_;
};

}  // namespace wendaro::fake
