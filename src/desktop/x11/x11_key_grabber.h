#pragma once

#include <memory>

#include "desktop/shortcuts/key_grabber.h"
#include "desktop/x11/xcb_key_grabber.h"

namespace wendaro::x11 {

// A key grabber on the X server that the Qt application runs on, or nothing
// when it runs on none (the offscreen platform) or the session is a Wayland
// one (WAYLAND_DISPLAY set, or XDG_SESSION_TYPE=wayland), where the desktop's
// portal takes the shortcuts instead. Needs a QGuiApplication.
std::unique_ptr<KeyGrabber> makeX11KeyGrabber(XcbKeyGrabber::Reporter reportUngrabbable);

}  // namespace wendaro::x11
