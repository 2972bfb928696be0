#include "fake/fake_shortcuts.h"

#include <vector>

namespace wendaro::fake {

std::optional<Shortcut> parseShortcut(const std::string& text) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : text) {
    if (c == '+' && !current.empty()) {
      parts.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (current.empty()) return std::nullopt;
  Shortcut shortcut;
  shortcut.keyCodeStringForKeyEquivalent = current;
  for (const auto& part : parts) {
    if (part == "Ctrl") shortcut.modifierFlags |= kControlKeyMask;
    else if (part == "Alt") shortcut.modifierFlags |= kOptionKeyMask;
    else if (part == "Shift") shortcut.modifierFlags |= kShiftKeyMask;
    else if (part == "Meta") shortcut.modifierFlags |= kCommandKeyMask;
    else return std::nullopt;
  }
  return shortcut;
}

void FakeShortcutView::setAssociatedUserDefaultsKey(const std::string& key) {
  log_.record(name_, "setAssociatedUserDefaultsKey", key);
  associatedKey = key;
}

std::optional<Shortcut> FakeShortcutView::shortcutValue() const {
  auto stored = store_.values.find(associatedKey);
  if (stored == store_.values.end() || !stored->second.isString()) return std::nullopt;
  return parseShortcut(stored->second.string());
}

void FakeShortcutView::record(const std::string& text) {
  const std::optional<Shortcut> shortcut = parseShortcut(text);
  inUseBy = shortcut && owner_ ? owner_(associatedKey, *shortcut) : std::nullopt;
  if (!inUseBy) store_.values[associatedKey] = Value(text);
}
void FakeShortcutView::clear() { store_.values.erase(associatedKey); }

std::unique_ptr<ShortcutView> FakeShortcutViews::makeShortcutView() {
  log_.record("shortcutViews", "makeShortcutView");
  return std::make_unique<FakeShortcutView>(log_, store_, "readerView");
}

void FakeShortcutBinder::bindShortcutWithDefaultsKey(const std::string& key, std::function<void()> action) {
  log_.record("binder", "bind", key);
  bindings_[key] = std::move(action);
}

void FakeShortcutBinder::breakBindingWithDefaultsKey(const std::string& key) {
  log_.record("binder", "break", key);
  bindings_.erase(key);
}

bool FakeShortcutBinder::press(const std::string& combination) {
  for (const auto& [key, action] : bindings_) {
    auto stored = store_.values.find(key);
    if (stored != store_.values.end() && stored->second.isString() && stored->second.string() == combination) {
      // A copy: the action may change the bindings.
      std::function<void()> run = action;
      run();
      return true;
    }
  }
  return false;
}

}  // namespace wendaro::fake
