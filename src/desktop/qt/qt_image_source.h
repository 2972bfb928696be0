#pragma once

#include <QIcon>

#include "platform/image.h"

namespace wendaro {

// The Qt side of an image handle. Every image the Qt desktop makes implements
// both `Image` (for the core) and this (for the widgets that show it).
class QtImageSource {
 public:
  virtual ~QtImageSource() = default;
  virtual QIcon icon() const = 0;
};

// The icon behind an image handle: a null icon for no image, an invalid one,
// or one that was not made by the Qt desktop.
inline QIcon iconOf(const ImageRef& image) {
  if (!image || !image->isValid()) return {};
  const auto* source = dynamic_cast<const QtImageSource*>(image.get());
  return source ? source->icon() : QIcon();
}

}  // namespace wendaro
