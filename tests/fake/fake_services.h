#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fake/call_log.h"
#include "fake/fake_file_system.h"
#include "platform/image.h"
#include "platform/platform.h"

namespace wendaro::fake {

// An image that remembers where it came from: a named asset, a file icon or a drawing.
class FakeImage : public Image {
 public:
  FakeImage(std::string imageName, Size size, bool valid = true)
      : name(std::move(imageName)), size_(size), valid_(valid) {}
  bool isValid() const override { return valid_; }
  Size size() const override { return size_; }

  std::string name;
  ImageRef drawnSource;  // for a drawn image

 private:
  Size size_;
  bool valid_;
};

inline const FakeImage* asFake(const ImageRef& image) { return dynamic_cast<const FakeImage*>(image.get()); }

class FakeDefaultsStore : public DefaultsStore {
 public:
  explicit FakeDefaultsStore(CallLog& log) : log_(log) {}
  std::optional<Value> objectForKey(const std::string& key) const override;
  void setObject(const std::string& key, const Value& value) override;
  void removeObjectForKey(const std::string& key) override;

  std::map<std::string, Value> values;  // read and written without a record

 private:
  CallLog& log_;
};

class FakeWorkspace : public Workspace {
 public:
  LaunchResult launchApplication(const std::string& appPath) override {
    launched.push_back(appPath);
    return {true, {}};
  }
  ImageRef iconForFile(const std::string& path) override {
    return icons.contains(path) ? icons[path] : std::make_shared<FakeImage>("icon:" + path, Size{32, 32});
  }
  bool openURL(const Url&) override { return true; }

  std::vector<std::string> launched;
  std::map<std::string, ImageRef> icons;  // others get a valid 32 by 32 icon named after the path
};

class FakeImages : public Images {
 public:
  ImageRef imageNamed(const std::string& name) override { return std::make_shared<FakeImage>(name, Size{16, 16}); }
  ImageRef drawImage(const ImageRef& source, Size canvas, Rect, Rect, int, double) override {
    auto image = std::make_shared<FakeImage>("drawn", canvas);
    image->drawnSource = source;
    return image;
  }
};

// A grant made here is "bookmark:" followed by the path it resolves to.
class FakeAccessGrants : public AccessGrants {
 public:
  explicit FakeAccessGrants(CallLog& log) : log_(log) {}
  Result<Value::Data> bookmarkData(const Url& url, unsigned) override {
    if (creationFailsFor.contains(url.path())) return PlatformError{"cannot make a grant for " + url.path()};
    return blobFor(url.path());
  }
  std::optional<ResolvedBookmark> resolveBookmarkData(const Value::Data& bookmark, unsigned options) override;
  bool startAccessingSecurityScopedResource(const Url& url) override {
    log_.record("grants", "start", url.path());
    return true;
  }
  void stopAccessingSecurityScopedResource(const Url& url) override { log_.record("grants", "stop", url.path()); }

  static Value::Data blobFor(const std::string& path);
  std::set<std::string> creationFailsFor;

 private:
  CallLog& log_;
};

// Each panel yields the paths set before it was made (none: cancelled).
class FakeOpenPanels : public OpenPanels {
 public:
  std::unique_ptr<OpenPanel> openPanel() override;
  std::vector<std::string> nextChosenPaths;
};

class FakeEvents : public Events {
 public:
  ModifierFlags modifierFlags() const override { return flags; }
  ModifierFlags flags = 0;
};

class FakeApplication : public Application {
 public:
  ApplicationDelegate* delegate() const override { return delegate_; }
  void setDelegate(ApplicationDelegate* delegate) override { delegate_ = delegate; }
  void terminate() override {}

 private:
  ApplicationDelegate* delegate_ = nullptr;
};

class FakeLoginItems : public LoginItems {
 public:
  bool setLoginItemEnabled(const std::string&, bool enable) override {
    if (succeeds) enabled = enable;
    return succeeds;
  }
  bool succeeds = true;
  std::optional<bool> enabled;  // the last state set successfully
};

class FakeStoreReview : public StoreReview {
 public:
  void requestReview() override {}
};

class FakeUpdater : public Updater {
 public:
  explicit FakeUpdater(CallLog& log) : log_(log) {}
  void checkForUpdatesInBackground() override { log_.record("updater", "checkForUpdatesInBackground"); }
  void checkForUpdates() override { log_.record("updater", "checkForUpdates"); }

 private:
  CallLog& log_;
};

class FakeClock : public Clock {
 public:
  double timeIntervalSinceReferenceDate() const override { return now; }
  double now = 5.25;
};

class FakeStandardOutput : public StandardOutput {
 public:
  void writeLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

class FakeSystemInfo : public SystemInfo {
 public:
  OperatingSystemVersion operatingSystemVersion() const override { return {10, 15, 0}; }
};

// The desktop's kinds of app besides "*.app": desktop entries, told by path.
class FakeAppKinds : public AppKinds {
 public:
  explicit FakeAppKinds(FakeFileSystem& files) : files_(files) {}
  void beginScan() override {}
  std::optional<AppFile> examine(const DirectoryHandle&, const DirectoryEntry&, std::string_view path) override {
    auto found = entries_.find(path);
    return found == entries_.end() ? std::nullopt : std::optional(found->second);
  }
  std::vector<std::string> defaultDirectories() const override { return defaults; }

  void addDesktopEntry(const std::string& path, const std::string& title,
                       AppFile::Verdict verdict = AppFile::Verdict::Shown) {
    files_.addFile(path);
    entries_[path] = AppFile{verdict, title, verdict == AppFile::Verdict::Shown ? "" : "not shown: " + title, true};
  }
  std::vector<std::string> defaults = {"/Applications", "/System/Applications"};

 private:
  FakeFileSystem& files_;
  std::map<std::string, AppFile, std::less<>> entries_;
};

class FakeDirectoryWatcher : public DirectoryWatcher {
 public:
  void watchDirectories(const std::vector<std::string>& directories, std::function<void()> changed) override {
    watched = directories;
    changed_ = std::move(changed);
  }
  void change() { changed_(); }  // something changed below the watched directories
  std::vector<std::string> watched;

 private:
  std::function<void()> changed_;
};

}  // namespace wendaro::fake
