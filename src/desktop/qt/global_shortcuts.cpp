#include "desktop/qt/global_shortcuts.h"

#include "desktop/qt/shortcut_text.h"
#include "desktop/qt/windows/qt_shortcut_view.h"
#include "desktop/shortcuts/unavailable_key_grabber.h"
#include "desktop/x11/x11_key_grabber.h"

namespace wendaro {

GlobalShortcuts::GlobalShortcuts(PlistDefaultsStore& store, Keyboard keyboard, std::ostream& errors)
    : store_(store) {
  if (keyboard == Keyboard::Watch) {
    grabber_ = x11::makeX11KeyGrabber([&errors](const Shortcut& combination) {
      errors << "wendaro: " << shortcutText(combination) << " cannot be used as a global shortcut on this keyboard"
             << std::endl;
    });
    if (!grabber_) errors << "wendaro: global shortcuts are not available in this session" << std::endl;
  }
  watches_ = grabber_ != nullptr;
  if (!grabber_) grabber_ = std::make_unique<UnavailableKeyGrabber>();
  binder_ = std::make_unique<GlobalShortcutBinder>(
      *grabber_, [&store](const std::string& key) { return storedShortcut(store, key); },
      [&errors](const Shortcut& combination) {
        errors << "wendaro: " << shortcutText(combination) << " is already taken by another program" << std::endl;
      });
  listener_ = store_.addChangeListener([this](const std::string& key) { binder_->storedValueChanged(key); });
}

GlobalShortcuts::~GlobalShortcuts() { store_.removeChangeListener(listener_); }

}  // namespace wendaro
