#include "cli/stored_defaults.h"

#include "desktop/store/config_paths.h"
#include "desktop/store/plist_defaults_store.h"

namespace wendaro::cli {

namespace {

// Settings held in memory only.
class SettingsCopy : public DefaultsStore {
 public:
  explicit SettingsCopy(Value::Dictionary values) : values_(std::move(values)) {}
  std::optional<Value> objectForKey(const std::string& key) const override {
    auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
  }
  void setObject(const std::string& key, const Value& value) override { values_[key] = value; }
  void removeObjectForKey(const std::string& key) override { values_.erase(key); }

 private:
  Value::Dictionary values_;
};

}  // namespace

std::unique_ptr<const DefaultsStore> openStoredDefaults(std::ostream& errors) {
  return std::make_unique<SettingsCopy>(PlistDefaultsStore::readSettings(settingsFilePath(), errors));
}

}  // namespace wendaro::cli
