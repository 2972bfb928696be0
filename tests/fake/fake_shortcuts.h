#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "fake/call_log.h"
#include "fake/fake_services.h"
#include "platform/shortcuts.h"

namespace wendaro::fake {

// Shortcuts are stored as text such as "Ctrl+Alt+K", as on the desktop.
std::optional<Shortcut> parseShortcut(const std::string& text);

class FakeShortcutView : public ShortcutView {
 public:
  FakeShortcutView(CallLog& log, FakeDefaultsStore& store, std::string name)
      : log_(log), store_(store), name_(std::move(name)) {}
  void setAssociatedUserDefaultsKey(const std::string& key) override;
  std::optional<Shortcut> shortcutValue() const override;
  void setShortcutOwner(ShortcutOwner owner) override { owner_ = std::move(owner); }

  // Control: the user records or clears a shortcut in the recorder, which
  // writes the store at once. A shortcut another entry has is not recorded,
  // and the entry's title is kept in `inUseBy`.
  void record(const std::string& text);
  void clear();
  std::string associatedKey;
  std::optional<std::string> inUseBy;

 private:
  CallLog& log_;
  FakeDefaultsStore& store_;
  std::string name_;
  ShortcutOwner owner_;
};

class FakeShortcutViews : public ShortcutViews {
 public:
  FakeShortcutViews(CallLog& log, FakeDefaultsStore& store) : log_(log), store_(store) {}
  std::unique_ptr<ShortcutView> makeShortcutView() override;

 private:
  CallLog& log_;
  FakeDefaultsStore& store_;
};

class FakeShortcutBinder : public ShortcutBinder {
 public:
  FakeShortcutBinder(CallLog& log, FakeDefaultsStore& store) : log_(log), store_(store) {}
  void bindShortcutWithDefaultsKey(const std::string& key, std::function<void()> action) override;
  void breakBindingWithDefaultsKey(const std::string& key) override;

  // Control: the user presses a key combination anywhere on the desktop. Runs
  // the action of the first bound key, in key order, under which that
  // shortcut is stored; false when none ran.
  bool press(const std::string& combination);
  bool isBound(const std::string& key) const { return bindings_.count(key) > 0; }

 private:
  CallLog& log_;
  FakeDefaultsStore& store_;
  std::map<std::string, std::function<void()>> bindings_;
};

}  // namespace wendaro::fake
