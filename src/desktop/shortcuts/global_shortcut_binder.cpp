#include "desktop/shortcuts/global_shortcut_binder.h"

#include <utility>
#include <vector>

namespace wendaro {

GlobalShortcutBinder::GlobalShortcutBinder(KeyGrabber& grabber, StoredShortcutReader readStoredShortcut,
                                           TakenReporter reportTaken)
    : grabber_(grabber), readStoredShortcut_(std::move(readStoredShortcut)), reportTaken_(std::move(reportTaken)) {
  grabber_.setPressHandler([this](const Shortcut& combination) { pressed(combination); });
  grabber_.setTriggerHandler([this](const Shortcut& combination) {
    for (const auto& key : keysUsing(combination)) tellConflictListener(key);
  });
}

GlobalShortcutBinder::~GlobalShortcutBinder() {
  grabber_.setPressHandler(nullptr);
  grabber_.setTriggerHandler(nullptr);
  if (recording_) return;
  for (const auto& [combination, grab] : grabs_) {
    if (grab.outcome == GrabOutcome::Grabbed) grabber_.ungrab(combination);
  }
}

void GlobalShortcutBinder::bindShortcutWithDefaultsKey(const std::string& key, std::function<void()> action) {
  Binding& binding = bindings_[key];
  binding.action = std::move(action);
  follow(key, binding);
}

void GlobalShortcutBinder::breakBindingWithDefaultsKey(const std::string& key) {
  auto found = bindings_.find(key);
  if (found == bindings_.end()) return;
  const bool wasTaken = isTakenByAnotherProgram(key);
  if (found->second.combination) stopUsing(*found->second.combination);
  bindings_.erase(found);
  if (wasTaken) tellConflictListener(key);
}

void GlobalShortcutBinder::storedValueChanged(const std::string& key) {
  auto found = bindings_.find(key);
  if (found != bindings_.end()) follow(key, found->second);
}

bool GlobalShortcutBinder::isTakenByAnotherProgram(const std::string& key) const {
  auto binding = bindings_.find(key);
  if (binding == bindings_.end() || !binding->second.combination) return false;
  auto grab = grabs_.find(*binding->second.combination);
  return grab != grabs_.end() && grab->second.outcome == GrabOutcome::TakenByAnotherProgram;
}

bool GlobalShortcutBinder::isTakenByAnotherKey(const std::string& key) const {
  auto binding = bindings_.find(key);
  if (binding == bindings_.end() || !binding->second.combination) return false;
  const std::vector<std::string> keys = keysUsing(*binding->second.combination);
  return !keys.empty() && keys.front() != key;
}

std::optional<DesktopTrigger> GlobalShortcutBinder::desktopTrigger(const std::string& key) const {
  auto binding = bindings_.find(key);
  if (binding == bindings_.end() || !binding->second.combination) return std::nullopt;
  return grabber_.desktopTrigger(*binding->second.combination);
}

void GlobalShortcutBinder::setConflictListener(Listener listener) { conflictListener_ = std::move(listener); }

void GlobalShortcutBinder::setRecording(bool recording) {
  if (recording == recording_) return;
  recording_ = recording;
  grabber_.setRecording(recording);
  std::vector<Shortcut> changed;
  for (auto& [combination, held] : grabs_) {
    if (held.outcome == GrabOutcome::NotAvailable) continue;
    if (recording_ && held.outcome == GrabOutcome::Grabbed) {
      grabber_.ungrab(combination);
      continue;
    }
    // Another program may have let go of a combination it held, or taken
    // one of ours while the editor recorded: each is tried again.
    const GrabOutcome before = held.outcome;
    grab(combination, held);
    if (held.outcome != before) changed.push_back(combination);
  }
  for (const Shortcut& combination : changed) {
    for (const auto& key : keysUsing(combination)) tellConflictListener(key);
  }
}

void GlobalShortcutBinder::follow(const std::string& key, Binding& binding) {
  std::optional<Shortcut> stored = readStoredShortcut_(key);
  if (stored == binding.combination) return;
  const bool wasTaken = isTakenByAnotherProgram(key);
  // Take the new combination before letting go of the old one, so that a
  // combination shared with another key is never let go in between.
  if (stored) use(*stored);
  if (binding.combination) stopUsing(*binding.combination);
  binding.combination = std::move(stored);
  if (wasTaken != isTakenByAnotherProgram(key)) tellConflictListener(key);
}

void GlobalShortcutBinder::use(const Shortcut& combination) {
  Grab& held = grabs_[combination];
  if (held.users++ > 0) return;
  grab(combination, held);
}

void GlobalShortcutBinder::grab(const Shortcut& combination, Grab& held) {
  held.outcome = grabber_.grab(combination);
  if (held.outcome == GrabOutcome::TakenByAnotherProgram && reported_.insert(combination).second && reportTaken_) {
    reportTaken_(combination);
  }
  // While recording, the grab only tells whether the combination is free.
  if (recording_ && held.outcome == GrabOutcome::Grabbed) grabber_.ungrab(combination);
}

std::vector<std::string> GlobalShortcutBinder::keysUsing(const Shortcut& combination) const {
  std::vector<std::string> keys;
  for (const auto& [key, binding] : bindings_) {
    if (binding.combination == combination) keys.push_back(key);
  }
  return keys;
}

void GlobalShortcutBinder::stopUsing(const Shortcut& combination) {
  auto held = grabs_.find(combination);
  if (held == grabs_.end() || --held->second.users > 0) return;
  if (held->second.outcome == GrabOutcome::Grabbed && !recording_) grabber_.ungrab(combination);
  grabs_.erase(held);
}

void GlobalShortcutBinder::pressed(const Shortcut& combination) {
  const std::vector<std::string> keys = keysUsing(combination);
  if (keys.empty()) return;
  // Copied, because running the action may replace it.
  std::function<void()> action = bindings_.at(keys.front()).action;
  if (action) action();
}

void GlobalShortcutBinder::tellConflictListener(const std::string& key) const {
  if (conflictListener_) conflictListener_(key);
}

}  // namespace wendaro
