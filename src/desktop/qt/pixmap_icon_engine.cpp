#include "desktop/qt/pixmap_icon_engine.h"

#include <QPainter>

namespace wendaro {

QPixmap PixmapIconEngine::cached(QSize pixelSize) {
  if (pixelSize.isEmpty()) return {};
  const QPair<int, int> key(pixelSize.width(), pixelSize.height());
  auto found = drawn_.constFind(key);
  if (found != drawn_.constEnd()) return *found;
  QPixmap picture = render(pixelSize);
  drawn_.insert(key, picture);
  return picture;
}

void PixmapIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) {
  const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
  QPixmap picture = cached(rect.size() * ratio);
  if (picture.isNull()) return;
  picture.setDevicePixelRatio(ratio);
  painter->drawPixmap(rect.topLeft(), picture);
}

QPixmap PixmapIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State) { return cached(size); }

QPixmap PixmapIconEngine::scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) {
  QPixmap picture = cached(size * scale);
  picture.setDevicePixelRatio(scale);
  return picture;
}

QSize PixmapIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) { return size; }

}  // namespace wendaro
