#pragma once

#include <memory>
#include <string>

#include "platform/geometry.h"

namespace wendaro {

// An image made by the platform. The core only asks whether it is valid and
// how large it is; the pixels stay with the platform, which may load them
// lazily.
class Image {
 public:
  virtual ~Image() = default;
  virtual bool isValid() const = 0;
  virtual Size size() const = 0;
};

using ImageRef = std::shared_ptr<const Image>;

// Compositing operation 2 of the platform: source over destination.
inline constexpr int kCompositeSourceOver = 2;

class Images {
 public:
  virtual ~Images() = default;
  // The image asset of that name (for example "MenubarIcon").
  virtual ImageRef imageNamed(const std::string& name) = 0;
  // A new, transparent image of `canvas` points into which `source` is drawn:
  // the `fromRect` part of it (a zero rectangle stands for the whole image)
  // into `inRect` of the canvas, with the compositing `operation` and opacity
  // `fraction`.
  virtual ImageRef drawImage(const ImageRef& source, Size canvas, Rect inRect, Rect fromRect,
                             int operation, double fraction) = 0;
};

}  // namespace wendaro
