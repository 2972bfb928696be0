#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include "platform/image.h"

namespace wendaro {

// The Qt side of an image handle: what a tray icon, a menu entry, a table cell
// or an image view draws. Nothing is read from disk or drawn before the first
// paint.
class QtImageSource {
 public:
  virtual ~QtImageSource() = default;
  // An icon that draws the image at whatever size it is painted.
  virtual QIcon icon() const = 0;
  // The image drawn into `size` device-independent pixels at the ratio.
  virtual QPixmap pixmap(QSize size, qreal devicePixelRatio = 1.0) const = 0;
};

// The Qt side of a handle, or null for no image or an image made elsewhere.
inline const QtImageSource* qtImageSource(const ImageRef& image) {
  return dynamic_cast<const QtImageSource*>(image.get());
}

}  // namespace wendaro
