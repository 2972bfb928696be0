#pragma once

#include <iostream>
#include <memory>
#include <ostream>

#include "desktop/shortcuts/global_shortcut_binder.h"
#include "desktop/shortcuts/key_grabber.h"
#include "desktop/store/plist_defaults_store.h"

namespace wendaro {

// The program's global shortcuts: a binder of the shortcuts recorded in the
// store, following what this process records there. It watches the keyboard
// through the desktop's key grabs where the session has them; elsewhere its
// shortcuts never fire, and it says so once. What cannot work (a combination
// another program holds, or one this keyboard cannot grab) is said once on
// `errors`. Needs a QGuiApplication; the store must outlive it.
class GlobalShortcuts {
 public:
  enum class Keyboard {
    Watch,   // the running program
    Ignore,  // a run that shows nothing: no grabs, no notices
  };

  GlobalShortcuts(PlistDefaultsStore& store, Keyboard keyboard, std::ostream& errors = std::cerr);
  ~GlobalShortcuts();
  GlobalShortcuts(const GlobalShortcuts&) = delete;
  GlobalShortcuts& operator=(const GlobalShortcuts&) = delete;

  GlobalShortcutBinder& binder() { return *binder_; }
  // True when presses of the bound shortcuts can reach the program.
  bool watchesKeyboard() const { return watches_; }

 private:
  PlistDefaultsStore& store_;
  std::unique_ptr<KeyGrabber> grabber_;
  // Declared after the grabber: it lets go of its grabs before the grabber goes.
  std::unique_ptr<GlobalShortcutBinder> binder_;
  bool watches_ = false;
  PlistDefaultsStore::ListenerId listener_ = 0;
};

}  // namespace wendaro
