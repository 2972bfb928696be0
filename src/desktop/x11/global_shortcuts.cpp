#include "desktop/x11/global_shortcuts.h"

#include <QGuiApplication>

#include "desktop/shortcuts/unavailable_key_grabber.h"
#include "desktop/x11/shortcut_keys.h"
#include "desktop/x11/xcb_key_grabber.h"

namespace wendaro {

namespace {

xcb_connection_t* x11Connection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

GlobalShortcuts::GlobalShortcuts(GlobalShortcutBinder::StoredShortcutReader readStoredShortcut, std::ostream& errors) {
  if (xcb_connection_t* connection = x11Connection()) {
    grabber_ = std::make_unique<x11::XcbKeyGrabber>(connection, errors);
    available_ = true;
  } else {
    grabber_ = std::make_unique<UnavailableKeyGrabber>();
    errors << "wendaro: global shortcuts are not available in this session" << std::endl;
  }
  binder_ = std::make_unique<GlobalShortcutBinder>(*grabber_, std::move(readStoredShortcut),
                                                   [&errors](const Shortcut& combination) {
                                                     errors << "wendaro: " << x11::shortcutText(combination)
                                                            << " is already taken by another program" << std::endl;
                                                   });
}

GlobalShortcuts::~GlobalShortcuts() {
  if (followedStore_) followedStore_->removeChangeListener(listener_);
}

void GlobalShortcuts::followChangesOf(PlistDefaultsStore& store) {
  if (followedStore_) followedStore_->removeChangeListener(listener_);
  followedStore_ = &store;
  listener_ = store.addChangeListener([this](const std::string& key) { binder_->storedValueChanged(key); });
}

}  // namespace wendaro
