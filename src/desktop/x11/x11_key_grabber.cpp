#include "desktop/x11/x11_key_grabber.h"

#include "desktop/x11/x11_session.h"

namespace wendaro::x11 {

std::unique_ptr<KeyGrabber> makeX11KeyGrabber(XcbKeyGrabber::Reporter reportUngrabbable) {
  xcb_connection_t* connection = x11SessionConnection();
  if (!connection) return nullptr;
  return std::make_unique<XcbKeyGrabber>(connection, std::move(reportUngrabbable));
}

}  // namespace wendaro::x11
