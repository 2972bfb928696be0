#include "fake/fake_services.h"

#include <utility>

namespace wendaro::fake {

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

Value::Data FakeAccessGrants::blobFor(const std::string& path) {
  std::string text = "bookmark:" + path;
  return Value::Data(text.begin(), text.end());
}

std::optional<ResolvedBookmark> FakeAccessGrants::resolveBookmarkData(const Value::Data& bookmark, unsigned) {
  std::string text(bookmark.begin(), bookmark.end());
  log_.record("grants", "resolve", text);
  if (text.starts_with("stale:")) return ResolvedBookmark{Url::fileURLWithPath(text.substr(6)), true};
  if (!text.starts_with("bookmark:")) return std::nullopt;
  return ResolvedBookmark{Url::fileURLWithPath(text.substr(9)), false};
}

namespace {

class FakeOpenPanel : public OpenPanel {
 public:
  explicit FakeOpenPanel(std::vector<std::string> chosen) : chosen_(std::move(chosen)) {}
  void setPrompt(const std::string&) override {}
  void setWorksWhenModal(bool) override {}
  void setAllowsMultipleSelection(bool) override {}
  void setCanChooseDirectories(bool) override {}
  void setCanChooseFiles(bool) override {}
  void setAllowedFileTypes(const std::vector<std::string>&) override {}
  void setResolvesAliases(bool) override {}
  void setTitle(const std::string&) override {}
  void setMessage(const std::string&) override {}
  int runModal() override { return chosen_.empty() ? 0 : 1; }
  std::vector<Url> URLs() const override {
    std::vector<Url> urls;
    for (const auto& path : chosen_) urls.push_back(Url::fileURLWithPath(path));
    return urls;
  }

 private:
  std::vector<std::string> chosen_;
};

}  // namespace

std::unique_ptr<OpenPanel> FakeOpenPanels::openPanel() {
  return std::make_unique<FakeOpenPanel>(std::exchange(nextChosenPaths, {}));
}

}  // namespace wendaro::fake
