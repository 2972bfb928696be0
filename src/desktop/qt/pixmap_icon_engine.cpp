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

// QIcon asks with the size in device pixels already.
QPixmap PixmapIconEngine::scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) {
  QPixmap picture = cached(size);
  picture.setDevicePixelRatio(scale);
  return picture;
}

QSize PixmapIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) { return size; }

QPixmap drawnAtPixelSize(const QIcon& icon, QSize pixelSize) {
  // Without the ratio, QIcon would draw for the application's ratio: a
  // picture of twice the pixels on a screen scaled by two, which then shows
  // at half its size.
  QPixmap picture = icon.pixmap(pixelSize, 1.0);
  if (picture.isNull()) return picture;
  picture.setDevicePixelRatio(1.0);
  if (picture.size() == pixelSize) return picture;
  QPixmap canvas(pixelSize);
  canvas.fill(Qt::transparent);
  const QPixmap fitted = picture.scaled(pixelSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QPainter painter(&canvas);
  painter.drawPixmap((pixelSize.width() - fitted.width()) / 2, (pixelSize.height() - fitted.height()) / 2, fitted);
  return canvas;
}

}  // namespace wendaro
