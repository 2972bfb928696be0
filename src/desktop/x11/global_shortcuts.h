#pragma once

#include <iostream>
#include <memory>
#include <ostream>

#include "desktop/shortcuts/global_shortcut_binder.h"
#include "desktop/shortcuts/key_grabber.h"
#include "desktop/store/plist_defaults_store.h"

namespace wendaro {

// The program's global shortcuts: a binder of the shortcuts recorded in the
// store, over X key grabs when the session runs on an X server, and
// otherwise a binder whose shortcuts never fire, which says so once on
// `errors`. It follows what this process records into the store. Needs a
// QGuiApplication; the store must outlive it.
class GlobalShortcuts {
 public:
  explicit GlobalShortcuts(PlistDefaultsStore& store, std::ostream& errors = std::cerr);
  ~GlobalShortcuts();
  GlobalShortcuts(const GlobalShortcuts&) = delete;
  GlobalShortcuts& operator=(const GlobalShortcuts&) = delete;

  GlobalShortcutBinder& binder() { return *binder_; }
  bool available() const { return available_; }

 private:
  PlistDefaultsStore& store_;
  std::unique_ptr<KeyGrabber> grabber_;
  // Declared after the grabber: it lets go of its grabs before the grabber goes.
  std::unique_ptr<GlobalShortcutBinder> binder_;
  bool available_ = false;
  PlistDefaultsStore::ListenerId listener_ = 0;
};

}  // namespace wendaro
