#include "fake/fake_services.h"

#include <charconv>
#include <utility>

namespace wendaro::fake {

namespace {

// "x,y,width,height", each as a stream writes a double (six significant
// digits). Written without a stream: menu builds draw an icon per entry.
std::string describe(Rect r) {
  std::string text;
  for (double part : {r.origin.x, r.origin.y, r.size.width, r.size.height}) {
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, part, std::chars_format::general, 6).ptr;
    if (!text.empty()) text += ',';
    text.append(buffer, end);
  }
  return text;
}

}  // namespace

std::optional<Value> FakeDefaultsStore::objectForKey(const std::string& key) const {
  log_.record("defaults", "objectForKey", key);
  auto found = values.find(key);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

void FakeDefaultsStore::setObject(const std::string& key, const Value& value) {
  log_.record("defaults", "setObject", key);
  values[key] = value;
}

void FakeDefaultsStore::removeObjectForKey(const std::string& key) {
  log_.record("defaults", "removeObjectForKey", key);
  values.erase(key);
}

LaunchResult FakeWorkspace::launchApplication(const std::string& appPath) {
  log_.record("workspace", "launchApplication", appPath);
  launched.push_back(appPath);
  return {true, {}};
}

ImageRef FakeWorkspace::iconForFile(const std::string& path) {
  log_.record("workspace", "iconForFile", path);
  auto found = icons.find(path);
  if (found != icons.end()) return found->second;
  return std::make_shared<FakeImage>("icon:" + path, Size{32, 32});
}

bool FakeWorkspace::openURL(const Url& url) {
  log_.record("workspace", "openURL", url.absoluteString());
  openedURLs.push_back(url.absoluteString());
  return true;
}

ImageRef FakeImages::imageNamed(const std::string& name) {
  log_.record("images", "imageNamed", name);
  return std::make_shared<FakeImage>(name, Size{16, 16});
}

ImageRef FakeImages::drawImage(const ImageRef& source, Size canvas, Rect inRect, Rect fromRect, int operation,
                               double fraction) {
  log_.record("images", "drawImage", describe(inRect));
  auto image = std::make_shared<FakeImage>("drawn", canvas);
  image->drawnSource = source;
  image->drawnInRect = inRect;
  image->drawnFromRect = fromRect;
  image->drawnOperation = operation;
  image->drawnFraction = fraction;
  return image;
}

Value::Data FakeAccessGrants::blobFor(const std::string& path) {
  std::string text = "bookmark:" + path;
  return Value::Data(text.begin(), text.end());
}

Result<Value::Data> FakeAccessGrants::bookmarkData(const Url& url, unsigned options) {
  log_.record("grants", "bookmarkData", url.path() + " options=" + std::to_string(options));
  if (creationFailsFor.count(url.path())) return PlatformError{"cannot make a grant for " + url.path()};
  return blobFor(url.path());
}

std::optional<ResolvedBookmark> FakeAccessGrants::resolveBookmarkData(const Value::Data& bookmark,
                                                                      unsigned options) {
  std::string text(bookmark.begin(), bookmark.end());
  log_.record("grants", "resolveBookmarkData", text + " options=" + std::to_string(options));
  auto set = resolutions.find(bookmark);
  if (set != resolutions.end()) return set->second;
  const std::string prefix = "bookmark:";
  if (text.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  return ResolvedBookmark{Url::fileURLWithPath(text.substr(prefix.size())), false};
}

bool FakeAccessGrants::startAccessingSecurityScopedResource(const Url& url) {
  log_.record("grants", "start", url.path());
  openGrants.insert(url.path());
  return true;
}

void FakeAccessGrants::stopAccessingSecurityScopedResource(const Url& url) {
  log_.record("grants", "stop", url.path());
  openGrants.erase(url.path());
}

// A panel that yields the paths its factory was given for it.
class FakeOpenPanel : public OpenPanel {
 public:
  FakeOpenPanel(CallLog& log, std::vector<std::string> chosen) : log_(log), chosen_(std::move(chosen)) {}
  void setPrompt(const std::string& prompt) override { log_.record("panel", "setPrompt", prompt); }
  void setWorksWhenModal(bool flag) override { log_.record("panel", "setWorksWhenModal", flag ? "1" : "0"); }
  void setAllowsMultipleSelection(bool flag) override {
    log_.record("panel", "setAllowsMultipleSelection", flag ? "1" : "0");
  }
  void setCanChooseDirectories(bool flag) override {
    log_.record("panel", "setCanChooseDirectories", flag ? "1" : "0");
  }
  void setCanChooseFiles(bool flag) override { log_.record("panel", "setCanChooseFiles", flag ? "1" : "0"); }
  void setAllowedFileTypes(const std::vector<std::string>& types) override {
    std::string joined;
    for (const auto& type : types) joined += (joined.empty() ? "" : ",") + type;
    log_.record("panel", "setAllowedFileTypes", joined);
  }
  void setResolvesAliases(bool flag) override { log_.record("panel", "setResolvesAliases", flag ? "1" : "0"); }
  void setTitle(const std::string& title) override { log_.record("panel", "setTitle", title); }
  void setMessage(const std::string& message) override { log_.record("panel", "setMessage", message); }
  int runModal() override {
    log_.record("panel", "runModal");
    ran_ = true;
    return chosen_.empty() ? 0 : 1;
  }
  std::vector<Url> URLs() const override {
    std::vector<Url> urls;
    if (!ran_) return urls;
    for (const auto& path : chosen_) urls.push_back(Url::fileURLWithPath(path));
    return urls;
  }

 private:
  CallLog& log_;
  std::vector<std::string> chosen_;
  bool ran_ = false;
};

std::unique_ptr<OpenPanel> FakeOpenPanels::openPanel() {
  log_.record("panel", "new");
  return std::make_unique<FakeOpenPanel>(log_, std::exchange(nextChosenPaths, {}));
}

bool FakeLoginItems::setLoginItemEnabled(const std::string& identifier, bool enable) {
  log_.record("loginItems", "setLoginItemEnabled", identifier + (enable ? " 1" : " 0"));
  if (succeeds) enabled = enable;
  return succeeds;
}

}  // namespace wendaro::fake
