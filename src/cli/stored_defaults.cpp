#include "cli/stored_defaults.h"

namespace wendaro::cli {

namespace {

// TEMPORARY until the store file lands in wendaro_system: a store that holds
// nothing, so the commands see a first run (the default directory list).
class EmptyDefaultsStore : public DefaultsStore {
 public:
  std::optional<Value> objectForKey(const std::string&) const override { return std::nullopt; }
  void setObject(const std::string&, const Value&) override {}
  void removeObjectForKey(const std::string&) override {}
};

}  // namespace

std::unique_ptr<const DefaultsStore> openStoredDefaults() { return std::make_unique<EmptyDefaultsStore>(); }

}  // namespace wendaro::cli
