#include "desktop/qt/windows/window_placement.h"

#include <algorithm>
#include <limits>

namespace wendaro {

namespace {

// Pixels between the pointer and the top edge of a window placed below it.
constexpr int kGapBelowPointer = 10;

qint64 overlapArea(const QRect& a, const QRect& b) {
  const QRect overlap = a.intersected(b);
  return overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
}

qint64 squaredDistance(const QPoint& point, const QRect& area) {
  const qint64 dx = point.x() < area.left() ? area.left() - point.x() : std::max(0, point.x() - area.right());
  const qint64 dy = point.y() < area.top() ? area.top() - point.y() : std::max(0, point.y() - area.bottom());
  return dx * dx + dy * dy;
}

}  // namespace

QRect screenAreaHolding(const QRect& frame, const QList<QRect>& screenAreas) {
  QRect best;
  qint64 bestOverlap = 0;
  for (const QRect& area : screenAreas) {
    const qint64 overlap = overlapArea(frame, area);
    if (overlap > bestOverlap) {
      bestOverlap = overlap;
      best = area;
    }
  }
  if (bestOverlap > 0) return best;
  qint64 bestDistance = std::numeric_limits<qint64>::max();
  for (const QRect& area : screenAreas) {
    const qint64 distance = squaredDistance(frame.center(), area);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = area;
    }
  }
  return best;
}

QPoint keptInside(const QRect& frame, const QRect& area) {
  if (area.isEmpty()) return frame.topLeft();
  // Right and bottom edges first, so that a frame too large for the area ends
  // up at the area's top-left corner.
  const int x = std::max(area.left(), std::min(frame.left(), area.left() + area.width() - frame.width()));
  const int y = std::max(area.top(), std::min(frame.top(), area.top() + area.height() - frame.height()));
  return QPoint(x, y);
}

QRect belowPointer(const QPoint& pointer, const QSize& size) {
  return QRect(QPoint(pointer.x() - size.width() / 2, pointer.y() + kGapBelowPointer), size);
}

}  // namespace wendaro
