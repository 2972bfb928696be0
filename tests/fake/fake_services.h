#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fake/call_log.h"
#include "fake/fake_image.h"
#include "platform/platform.h"

namespace wendaro::fake {

class FakeDefaultsStore : public DefaultsStore {
 public:
  explicit FakeDefaultsStore(CallLog& log) : log_(log) {}
  std::optional<Value> objectForKey(const std::string& key) const override;
  void setObject(const std::string& key, const Value& value) override;
  void removeObjectForKey(const std::string& key) override;

  // Control: the stored values, read and written without a record.
  std::map<std::string, Value> values;

 private:
  CallLog& log_;
};

class FakeWorkspace : public Workspace {
 public:
  explicit FakeWorkspace(CallLog& log) : log_(log) {}
  LaunchResult launchApplication(const std::string& appPath) override;
  ImageRef iconForFile(const std::string& path) override;
  bool openURL(const Url& url) override;

  // Control.
  std::vector<std::string> launched;
  std::vector<std::string> openedURLs;
  // Icons by path; any other path gets a valid 32 by 32 icon named after it.
  std::map<std::string, ImageRef> icons;

 private:
  CallLog& log_;
};

class FakeImages : public Images {
 public:
  explicit FakeImages(CallLog& log) : log_(log) {}
  ImageRef imageNamed(const std::string& name) override;
  ImageRef drawImage(const ImageRef& source, Size canvas, Rect inRect, Rect fromRect, int operation,
                     double fraction) override;

 private:
  CallLog& log_;
};

class FakeAccessGrants : public AccessGrants {
 public:
  explicit FakeAccessGrants(CallLog& log) : log_(log) {}
  Result<Value::Data> bookmarkData(const Url& url, unsigned options) override;
  std::optional<ResolvedBookmark> resolveBookmarkData(const Value::Data& bookmark, unsigned options) override;
  bool startAccessingSecurityScopedResource(const Url& url) override;
  void stopAccessingSecurityScopedResource(const Url& url) override;

  // Control. A blob made here is "bookmark:" followed by the path; it
  // resolves to that path unless a resolution is set for it.
  static Value::Data blobFor(const std::string& path);
  std::set<std::string> creationFailsFor;                        // paths
  std::map<Value::Data, std::optional<ResolvedBookmark>> resolutions;  // nullopt: fails
  std::set<std::string> openGrants;                              // paths with access open

 private:
  CallLog& log_;
};

class FakeOpenPanel;

class FakeOpenPanels : public OpenPanels {
 public:
  explicit FakeOpenPanels(CallLog& log) : log_(log) {}
  std::unique_ptr<OpenPanel> openPanel() override;

  // Control: what the next panel yields when it runs (nothing: cancelled).
  std::vector<std::string> nextChosenPaths;

 private:
  CallLog& log_;
};

class FakeEvents : public Events {
 public:
  ModifierFlags modifierFlags() const override { return flags; }
  ModifierFlags flags = 0;  // control
};

class FakeApplication : public Application {
 public:
  explicit FakeApplication(CallLog& log) : log_(log) {}
  ApplicationDelegate* delegate() const override { return delegate_; }
  void setDelegate(ApplicationDelegate* delegate) override { delegate_ = delegate; }
  void terminate() override { log_.record("application", "terminate"); }

 private:
  CallLog& log_;
  ApplicationDelegate* delegate_ = nullptr;
};

class FakeLoginItems : public LoginItems {
 public:
  explicit FakeLoginItems(CallLog& log) : log_(log) {}
  bool setLoginItemEnabled(const std::string& identifier, bool enabled) override;
  bool succeeds = true;                 // control
  std::optional<bool> enabled;          // the last state set successfully

 private:
  CallLog& log_;
};

class FakeStoreReview : public StoreReview {
 public:
  explicit FakeStoreReview(CallLog& log) : log_(log) {}
  void requestReview() override { log_.record("storeReview", "requestReview"); }

 private:
  CallLog& log_;
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
  double now = 5.25;  // control
};

class FakeStandardOutput : public StandardOutput {
 public:
  void writeLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

class FakeSystemInfo : public SystemInfo {
 public:
  OperatingSystemVersion operatingSystemVersion() const override { return version; }
  OperatingSystemVersion version{10, 15, 0};  // control
};

}  // namespace wendaro::fake
