#include "desktop/x11/global_shortcuts.h"

#include <QGuiApplication>

#include "desktop/qt/shortcut_text.h"
#include "desktop/qt/windows/qt_shortcut_view.h"
#include "desktop/shortcuts/unavailable_key_grabber.h"
#include "desktop/x11/xcb_key_grabber.h"

namespace wendaro {

namespace {

xcb_connection_t* x11Connection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

GlobalShortcuts::GlobalShortcuts(PlistDefaultsStore& store, std::ostream& errors) : store_(store) {
  if (xcb_connection_t* connection = x11Connection()) {
    grabber_ = std::make_unique<x11::XcbKeyGrabber>(connection, errors);
    available_ = true;
  } else {
    grabber_ = std::make_unique<UnavailableKeyGrabber>();
    errors << "wendaro: global shortcuts are not available in this session" << std::endl;
  }
  binder_ = std::make_unique<GlobalShortcutBinder>(
      *grabber_, [&store](const std::string& key) { return storedShortcut(store, key); },
      [&errors](const Shortcut& combination) {
        errors << "wendaro: " << shortcutText(combination) << " is already taken by another program" << std::endl;
      });
  listener_ = store_.addChangeListener([this](const std::string& key) { binder_->storedValueChanged(key); });
}

GlobalShortcuts::~GlobalShortcuts() { store_.removeChangeListener(listener_); }

}  // namespace wendaro
