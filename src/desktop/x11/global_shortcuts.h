#pragma once

#include <iostream>
#include <memory>
#include <ostream>

#include "desktop/shortcuts/global_shortcut_binder.h"
#include "desktop/shortcuts/key_grabber.h"
#include "desktop/store/plist_defaults_store.h"

namespace wendaro {

// The program's global shortcuts: a binder over X key grabs when the session
// runs on an X server, and otherwise a binder whose shortcuts never fire,
// which says so once on `errors`. Needs a QGuiApplication.
class GlobalShortcuts {
 public:
  explicit GlobalShortcuts(GlobalShortcutBinder::StoredShortcutReader readStoredShortcut,
                           std::ostream& errors = std::cerr);
  ~GlobalShortcuts();
  GlobalShortcuts(const GlobalShortcuts&) = delete;
  GlobalShortcuts& operator=(const GlobalShortcuts&) = delete;

  GlobalShortcutBinder& binder() { return *binder_; }
  bool available() const { return available_; }

  // Follows the shortcuts that this process records into the store, until
  // this object goes. The store must outlive it.
  void followChangesOf(PlistDefaultsStore& store);

 private:
  std::unique_ptr<KeyGrabber> grabber_;
  // Declared after the grabber: it lets go of its grabs before the grabber goes.
  std::unique_ptr<GlobalShortcutBinder> binder_;
  bool available_ = false;
  PlistDefaultsStore* followedStore_ = nullptr;
  PlistDefaultsStore::ListenerId listener_ = 0;
};

}  // namespace wendaro
