#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "fake/fake_services.h"
#include "platform/shortcuts.h"

namespace wendaro::fake {

// Shortcuts are stored as text such as "Ctrl+Alt+K", as on the desktop.
std::optional<Shortcut> parseShortcut(const std::string& text);

class FakeShortcutView : public ShortcutView {
 public:
  explicit FakeShortcutView(FakeDefaultsStore& store) : store_(store) {}
  void setAssociatedUserDefaultsKey(const std::string& key) override { associatedKey = key; }
  std::optional<Shortcut> shortcutValue() const override;
  void setShortcutOwner(ShortcutOwner owner) override { owner_ = std::move(owner); }

  // The user records or clears a shortcut, written to the store at once; one
  // another entry has is not recorded, and that entry's title kept.
  void record(const std::string& text);
  void clear() { store_.values.erase(associatedKey); }
  std::string associatedKey;
  std::optional<std::string> inUseBy;

 private:
  FakeDefaultsStore& store_;
  ShortcutOwner owner_;
};

class FakeShortcutViews : public ShortcutViews {
 public:
  explicit FakeShortcutViews(FakeDefaultsStore& store) : store_(store) {}
  std::unique_ptr<ShortcutView> makeShortcutView() override { return std::make_unique<FakeShortcutView>(store_); }

 private:
  FakeDefaultsStore& store_;
};

class FakeShortcutBinder : public ShortcutBinder {
 public:
  explicit FakeShortcutBinder(FakeDefaultsStore& store) : store_(store) {}
  void bindShortcutWithDefaultsKey(const std::string& key, std::function<void()> action) override {
    bindings_[key] = std::move(action);
  }
  void breakBindingWithDefaultsKey(const std::string& key) override { bindings_.erase(key); }

  // The user presses a key combination: runs the action of the first bound
  // key, in key order, that stores it; false when none ran.
  bool press(const std::string& combination);
  bool isBound(const std::string& key) const { return bindings_.count(key) > 0; }

 private:
  FakeDefaultsStore& store_;
  std::map<std::string, std::function<void()>> bindings_;
};

}  // namespace wendaro::fake
