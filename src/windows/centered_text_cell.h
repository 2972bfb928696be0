#pragma once

#include "platform/geometry.h"

namespace wendaro {

// The text cell of the management tables: its text is centred vertically in
// the cell, one point above the exact centre, while the base cell keeps its
// horizontal insets. Coordinates grow downwards, as in a table's rows.
struct VerticallyCenteredTextFieldCell {
  // `baseTitleRect` is what a plain text cell would use for `bounds`;
  // `textHeight` is the height of the cell's text. Nothing clamps the result:
  // a text taller than the bounds starts above them.
  static Rect titleRectForBounds(Rect baseTitleRect, Rect bounds, double textHeight);
};

}  // namespace wendaro
