#pragma once

#include "platform/image.h"

namespace wendaro {

// Image assets come from the program's resources; drawings are made lazily.
class QtImages : public Images {
 public:
  QtImages();
  // The asset of that name; an invalid image when there is no such asset.
  ImageRef imageNamed(const std::string& name) override;
  ImageRef drawImage(const ImageRef& source, Size canvas, Rect inRect, Rect fromRect, int operation,
                     double fraction) override;
};

// The resource path of the tray icon's picture, also the program's own icon.
inline constexpr const char* kMenubarIconResource = ":/wendaro/menubar-icon.svg";
// Its size in points, as the picture gives it, known without reading it.
inline constexpr double kMenubarIconSide = 22;

}  // namespace wendaro
