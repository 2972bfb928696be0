#pragma once

#include <xcb/xcb.h>

namespace wendaro::x11 {

// Qt's own connection to the X server, when the program runs on one in an
// X session; null on the offscreen platform and in a Wayland session
// (WAYLAND_DISPLAY set, or XDG_SESSION_TYPE=wayland). Needs a
// QGuiApplication.
xcb_connection_t* x11SessionConnection();

}  // namespace wendaro::x11
