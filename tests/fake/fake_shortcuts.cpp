#include "fake/fake_shortcuts.h"

#include <string_view>

namespace wendaro::fake {

std::optional<Shortcut> parseShortcut(const std::string& text) {
  const std::pair<std::string_view, ModifierFlags> modifiers[] = {
      {"Ctrl+", kControlKeyMask}, {"Alt+", kOptionKeyMask}, {"Shift+", kShiftKeyMask}, {"Meta+", kCommandKeyMask}};
  Shortcut shortcut;
  std::string_view rest = text;
  for (bool more = true; more;) {
    more = false;
    for (const auto& [name, flag] : modifiers) {
      if (rest.size() <= name.size() || !rest.starts_with(name)) continue;
      shortcut.modifierFlags |= flag;
      rest.remove_prefix(name.size());
      more = true;
    }
  }
  if (rest.empty() || (rest.size() > 1 && rest.find('+') != std::string_view::npos)) return std::nullopt;
  shortcut.keyCodeStringForKeyEquivalent = rest;
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
