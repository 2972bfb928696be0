#include "desktop/x11/x11_key_grabber.h"

#include <QGuiApplication>

#include <cstdlib>
#include <string_view>

namespace wendaro::x11 {

namespace {

// Whatever platform Qt chose: a program that fell back to X on a Wayland
// desktop talks to XWayland, whose grabs see keys only while one of its own
// windows has the focus.
bool isWaylandSession() {
  const char* display = std::getenv("WAYLAND_DISPLAY");
  const char* type = std::getenv("XDG_SESSION_TYPE");
  return (display && *display) || (type && std::string_view(type) == "wayland");
}

}  // namespace

std::unique_ptr<KeyGrabber> makeX11KeyGrabber(XcbKeyGrabber::Reporter reportUngrabbable) {
  if (isWaylandSession() || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return nullptr;
  return std::make_unique<XcbKeyGrabber>(x11->connection(), std::move(reportUngrabbable));
}

}  // namespace wendaro::x11
