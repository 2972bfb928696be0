#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "desktop/shortcuts/key_grabber.h"
#include "desktop/shortcuts/shortcut_conflicts.h"
#include "desktop/shortcuts/shortcut_order.h"
#include "platform/shortcuts.h"

namespace wendaro {

// The binder of defaults keys to actions, over any KeyGrabber.
//
// For each bound key it follows the shortcut stored under the key: the
// combination is grabbed while at least one bound key stores it and let go
// when the last one stops (break, clear, change). The store tells it about
// changes through storedValueChanged().
//
// When several bound keys store the same combination, a press runs the
// action of the first of them in the order of their keys ("WendaroMenu"
// before the "ash" and "csh" keys of apps and categories) and of no other.
//
// A combination that another program holds is reported once per run through
// the reporter, and shows in isTakenByAnotherProgram() for every bound key
// that stores it. It is tried again when a key comes to store it anew, and
// when recording starts or ends.
//
// While recording, nothing is held: a combination a key comes to store is
// grabbed just long enough to learn whether another program holds it, and
// all are grabbed again when recording ends.
class GlobalShortcutBinder : public ShortcutBinder, public ShortcutConflicts {
 public:
  using StoredShortcutReader = std::function<std::optional<Shortcut>(const std::string& key)>;
  using TakenReporter = std::function<void(const Shortcut&)>;

  GlobalShortcutBinder(KeyGrabber& grabber, StoredShortcutReader readStoredShortcut, TakenReporter reportTaken);
  ~GlobalShortcutBinder() override;
  GlobalShortcutBinder(const GlobalShortcutBinder&) = delete;
  GlobalShortcutBinder& operator=(const GlobalShortcutBinder&) = delete;

  void bindShortcutWithDefaultsKey(const std::string& key, std::function<void()> action) override;
  void breakBindingWithDefaultsKey(const std::string& key) override;

  // The value stored under the key was set or removed.
  void storedValueChanged(const std::string& key);

  bool isTakenByAnotherProgram(const std::string& key) const override;
  bool isTakenByAnotherKey(const std::string& key) const override;
  std::optional<DesktopTrigger> desktopTrigger(const std::string& key) const override;
  bool offersGlobalShortcuts() const override { return grabber_.watchesKeyboard(); }
  // The bound keys that store the combination, in key order.
  std::vector<std::string> keysUsing(const Shortcut& combination) const;
  void setConflictListener(Listener listener) override;
  void setRecording(bool recording) override;

 private:
  struct Binding {
    std::function<void()> action;
    // The stored shortcut when the key was last looked at: what it stands on.
    std::optional<Shortcut> combination;
  };
  struct Grab {
    GrabOutcome outcome = GrabOutcome::NotAvailable;
    int users = 0;
  };

  // Brings the key's combination in line with its stored shortcut.
  void follow(const std::string& key, Binding& binding);
  void use(const Shortcut& combination);
  // Grabs it and keeps the outcome, reporting a new conflict once; while
  // recording, lets go again at once.
  void grab(const Shortcut& combination, Grab& grab);
  void stopUsing(const Shortcut& combination);
  void pressed(const Shortcut& combination);
  void tellConflictListener(const std::string& key) const;

  KeyGrabber& grabber_;
  StoredShortcutReader readStoredShortcut_;
  TakenReporter reportTaken_;
  Listener conflictListener_;
  std::map<std::string, Binding> bindings_;
  std::map<Shortcut, Grab, ShortcutOrder> grabs_;
  std::set<Shortcut, ShortcutOrder> reported_;
  bool recording_ = false;
};

}  // namespace wendaro
