#include "desktop/x11/x11_key_grabber.h"

#include <QGuiApplication>

namespace wendaro::x11 {

std::unique_ptr<KeyGrabber> makeX11KeyGrabber(XcbKeyGrabber::Reporter reportUngrabbable) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return nullptr;
  return std::make_unique<XcbKeyGrabber>(x11->connection(), std::move(reportUngrabbable));
}

}  // namespace wendaro::x11
