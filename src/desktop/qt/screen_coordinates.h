#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include "platform/geometry.h"

// The core places windows in screen coordinates with the origin at the bottom
// left of the desktop and y growing upwards; Qt uses the top left and y
// growing downwards. `desktop` is the bounding rectangle of all screens in Qt
// coordinates (QScreen::virtualGeometry()).
namespace wendaro {

// The bounding rectangle of all screens; empty without a screen.
inline QRect desktopGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->virtualGeometry() : QRect();
}

inline Rect toCoreFrame(const QRect& frame, const QRect& desktop) {
  const double bottom = desktop.y() + desktop.height();
  return Rect{{double(frame.x()), bottom - (frame.y() + frame.height())},
              {double(frame.width()), double(frame.height())}};
}

// The Qt top-left corner of a window of `height` whose lower-left corner the
// core put at `origin`.
inline QPoint toQtTopLeft(Point origin, int height, const QRect& desktop) {
  const double bottom = desktop.y() + desktop.height();
  return QPoint(qRound(origin.x), qRound(bottom - origin.y - height));
}

}  // namespace wendaro
