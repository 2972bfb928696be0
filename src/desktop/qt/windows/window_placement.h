#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the windows go on screen, in Qt's coordinates (origin at the top left
// of the desktop, y growing downwards). Frames are the windows' outer frames;
// screen areas are the screens' available geometries (without panels).
namespace wendaro {

// The area of the screen that holds `frame`: the one it overlaps most, or,
// when it overlaps none, the one nearest to its centre. An empty rectangle
// when there are no screens.
QRect screenAreaHolding(const QRect& frame, const QList<QRect>& screenAreas);

// The top-left corner that keeps `frame` wholly inside `area`, moving it as
// little as possible. A frame larger than the area is aligned with the area's
// top-left corner, so that its title bar stays reachable.
QPoint keptInside(const QRect& frame, const QRect& area);

// The frame of a window of `size` placed below the mouse pointer, as windows
// are placed below the tray icon: centred horizontally on the pointer, its top
// edge 10 pixels below it.
QRect belowPointer(const QPoint& pointer, const QSize& size);

}  // namespace wendaro
