#include "desktop/x11/x11_session.h"

#include <QGuiApplication>

#include <cstdlib>
#include <string_view>

namespace wendaro::x11 {

namespace {

// Whatever platform Qt chose: a program that fell back to X on a Wayland
// desktop talks to XWayland, whose grabs see keys only while one of its own
// windows has the focus, and whose launch feedback the desktop ignores.
bool isWaylandSession() {
  const char* display = std::getenv("WAYLAND_DISPLAY");
  const char* type = std::getenv("XDG_SESSION_TYPE");
  return (display && *display) || (type && std::string_view(type) == "wayland");
}

}  // namespace

xcb_connection_t* x11SessionConnection() {
  if (isWaylandSession() || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

}  // namespace wendaro::x11
