#include "menus/icon_scaling.h"

#include "app/app_delegate.h"

namespace wendaro {

std::optional<Rect> iconDrawingRect(Size imageSize, double side) {
  if (imageSize == Size{side, side}) return std::nullopt;
  const double widthRatio = side / imageSize.width;
  const double heightRatio = side / imageSize.height;
  const double scale = heightRatio < widthRatio ? heightRatio : widthRatio;
  const Size drawn{imageSize.width * scale, imageSize.height * scale};
  Point origin;
  if (heightRatio > widthRatio) {
    origin.y = (side - drawn.height) * 0.5;  // the width limits
  } else if (heightRatio < widthRatio) {
    origin.x = (side - drawn.width) * 0.5;  // the height limits
  }
  return Rect{origin, drawn};
}

// An image that already has the size is shown as it is. An image without
// area has nothing to scale (its ratios would be infinite) and gives none.
ImageRef AppDelegate::resizeIcon(const ImageRef& image, double side) {
  if (!image || !image->isValid()) return nullptr;
  const Size size = image->size();
  if (!(size.width > 0 && size.height > 0)) return nullptr;
  const std::optional<Rect> target = iconDrawingRect(size, side);
  if (!target) return image;
  return platform.images.drawImage(image, Size{side, side}, *target, Rect{}, kCompositeSourceOver, 1.0);
}

}  // namespace wendaro
