#include "desktop/qt/qt_image.h"

namespace wendaro {

QtImage::QtImage(QIcon icon, Size nominalSize, bool valid)
    : icon_(std::move(icon)), size_(nominalSize), valid_(valid) {}

QPixmap QtImage::pixmap(QSize size, qreal devicePixelRatio) const {
  if (icon_.isNull()) return {};
  return icon_.pixmap(size, devicePixelRatio);
}

}  // namespace wendaro
