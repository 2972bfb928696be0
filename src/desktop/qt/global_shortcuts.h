#pragma once

#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <ostream>

#include "desktop/shortcuts/global_shortcut_binder.h"
#include "desktop/shortcuts/key_grabber.h"
#include "desktop/store/plist_defaults_store.h"

namespace wendaro {

namespace portal {
class PortalKeyGrabber;
}

// The program's global shortcuts: a binder of the shortcuts recorded in the
// store, following what this process records there. It watches the keyboard
// through the X server's key grabs where the session has them, else through
// the desktop's global shortcuts portal on the session bus; with neither its
// shortcuts never fire, and it says once what to do instead. What cannot
// work (a combination another program holds, one this keyboard cannot grab,
// a portal that refuses) is said once on `errors`. Needs a QGuiApplication;
// the store must outlive it.
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
  // What the shortcut under a defaults key launches, for the desktop to show
  // beside it where the desktop lists the program's shortcuts.
  void setTitleSource(std::function<std::string(const std::string& key)> titleOf) { titleOf_ = std::move(titleOf); }
  // True when presses of the bound shortcuts can reach the program.
  bool watchesKeyboard() const { return watches_; }

 private:
  std::string describe(const Shortcut& combination) const;
  // Keeps what the key stores now; true when that is another shortcut than
  // before.
  bool noteStored(const std::string& key);

  PlistDefaultsStore& store_;
  std::unique_ptr<KeyGrabber> grabber_;
  // The grabber when it is the portal's.
  portal::PortalKeyGrabber* portal_ = nullptr;
  std::function<std::string(const std::string& key)> titleOf_;
  // Declared after the grabber: it lets go of its grabs before the grabber goes.
  std::unique_ptr<GlobalShortcutBinder> binder_;
  bool watches_ = false;
  // The shortcut stored under each key the program has read.
  std::map<std::string, Shortcut> stored_;
  PlistDefaultsStore::ListenerId listener_ = 0;
};

}  // namespace wendaro
