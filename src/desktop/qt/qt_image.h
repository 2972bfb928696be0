#pragma once

#include <QIcon>

#include "desktop/qt/qt_image_source.h"
#include "platform/image.h"

namespace wendaro {

// An image handle over an icon: a nominal size for the core and an icon that
// draws the picture when it is first painted.
class QtImage : public Image, public QtImageSource {
 public:
  QtImage(QIcon icon, Size nominalSize, bool valid = true);

  bool isValid() const override { return valid_; }
  Size size() const override { return size_; }
  QIcon icon() const override { return icon_; }
  QPixmap pixmap(QSize size, qreal devicePixelRatio = 1.0) const override;

 private:
  QIcon icon_;
  Size size_;
  bool valid_;
};

}  // namespace wendaro
