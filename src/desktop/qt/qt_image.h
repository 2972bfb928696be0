#pragma once

#include <QIcon>

#include "desktop/qt/qt_image_source.h"
#include "platform/image.h"

class QIconEngine;

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

// An always valid image handle whose icon is made only when something asks
// for it: start-up makes thousands of handles that are drawn later, if ever.
class LazyIconImage : public Image, public QtImageSource {
 public:
  explicit LazyIconImage(Size nominalSize) : size_(nominalSize) {}

  bool isValid() const override { return true; }
  Size size() const override { return size_; }
  QIcon icon() const override;
  QPixmap pixmap(QSize size, qreal devicePixelRatio = 1.0) const override;

 protected:
  // The engine that draws the picture.
  virtual QIconEngine* makeEngine() const = 0;

 private:
  Size size_;
  mutable QIcon icon_;
};

}  // namespace wendaro
