#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/modifier_flags.h"

namespace wendaro {

// A stored global shortcut: one key and its modifier keys.
struct Shortcut {
  // The key, in the form a menu entry takes as its key equivalent ("K", "F5").
  std::string keyCodeStringForKeyEquivalent;
  ModifierFlags modifierFlags = 0;
  friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

// The recorder: shows the shortcut stored under its associated defaults key
// and records, replaces or clears it there directly.
class ShortcutView {
 public:
  virtual ~ShortcutView() = default;
  virtual void setAssociatedUserDefaultsKey(const std::string& key) = 0;
  // The shortcut stored under the associated key, or nothing.
  virtual std::optional<Shortcut> shortcutValue() const = 0;

  // Asked before a shortcut is recorded under a key: the title of another
  // entry whose shortcut it already is, or nothing.
  using ShortcutOwner = std::function<std::optional<std::string>(const std::string& key, const Shortcut& shortcut)>;
  // A shortcut that another entry has is not recorded; the recorder says
  // which entry has it. Readers that are never shown record nothing.
  virtual void setShortcutOwner(ShortcutOwner owner) = 0;
};

class ShortcutViews {
 public:
  virtual ~ShortcutViews() = default;
  // A recorder that is never shown, for reading a stored shortcut.
  virtual std::unique_ptr<ShortcutView> makeShortcutView() = 0;
};

// Watches the keyboard for the shortcuts stored under bound keys.
class ShortcutBinder {
 public:
  virtual ~ShortcutBinder() = default;
  // From now on the action runs on the main thread whenever the shortcut
  // stored under the key is pressed. A key without a stored shortcut starts
  // to work as soon as one is stored; a change or clear under the key takes
  // effect without binding again. Binding a bound key replaces its action.
  virtual void bindShortcutWithDefaultsKey(const std::string& key, std::function<void()> action) = 0;
  // The key's action no longer runs until it is bound again.
  virtual void breakBindingWithDefaultsKey(const std::string& key) = 0;
};

}  // namespace wendaro
