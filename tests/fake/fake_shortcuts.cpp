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
    if (part == "Ctrl")
      shortcut.modifierFlags |= kControlKeyMask;
    else if (part == "Alt")
      shortcut.modifierFlags |= kOptionKeyMask;
    else if (part == "Shift")
      shortcut.modifierFlags |= kShiftKeyMask;
    else if (part == "Meta")
      shortcut.modifierFlags |= kCommandKeyMask;
    else
      return std::nullopt;
  }
  return shortcut;
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

bool FakeShortcutBinder::press(const std::string& combination) {
  for (const auto& [key, action] : bindings_) {
    auto stored = store_.values.find(key);
    if (stored != store_.values.end() && stored->second.isString() && stored->second.string() == combination) {
      std::function<void()> run = action;  // a copy: the action may change the bindings
      run();
      return true;
    }
  }
  return false;
}

}  // namespace wendaro::fake
