#pragma once

#include <optional>

#include "platform/geometry.h"

namespace wendaro {

// Where an image of `imageSize` (positive width and height) is drawn in a
// square of `side` points: scaled uniformly to fit, up or down, centred along
// its shorter side and never cropped. Nothing when the image already measures
// exactly `side` by `side` and needs no drawing.
std::optional<Rect> iconDrawingRect(Size imageSize, double side);

}  // namespace wendaro
