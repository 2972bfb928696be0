#pragma once

#include "platform/image.h"

namespace wendaro {

// A new transparent image of `canvas` points into which the `fromRect` part of
// `source` (all of it for a zero rectangle) is drawn at `inRect`, with the
// compositing `operation` and the opacity `fraction`. Rectangles are in points
// with the origin at the bottom left. The drawing is done when the image is
// first painted, at the size it is painted at, and kept.
ImageRef makeDrawnImage(const ImageRef& source, Size canvas, Rect inRect, Rect fromRect, int operation,
                        double fraction);

}  // namespace wendaro
