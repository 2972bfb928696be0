#include "desktop/qt/qt_image.h"

#include <QIconEngine>

namespace wendaro {

QtImage::QtImage(QIcon icon, Size nominalSize, bool valid)
    : icon_(std::move(icon)), size_(nominalSize), valid_(valid) {}

QPixmap QtImage::pixmap(QSize size, qreal devicePixelRatio) const {
  if (icon_.isNull()) return {};
  return icon_.pixmap(size, devicePixelRatio);
}

QIcon LazyIconImage::icon() const {
  // The engine is never null, so a null icon is one not made yet.
  if (icon_.isNull()) icon_ = QIcon(makeEngine());
  return icon_;
}

QPixmap LazyIconImage::pixmap(QSize size, qreal devicePixelRatio) const {
  return icon().pixmap(size, devicePixelRatio);
}

}  // namespace wendaro
