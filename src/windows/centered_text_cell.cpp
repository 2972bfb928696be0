#include "windows/centered_text_cell.h"

namespace wendaro {

Rect VerticallyCenteredTextFieldCell::titleRectForBounds(Rect baseTitleRect, Rect bounds, double textHeight) {
  Rect result = baseTitleRect;
  result.origin.y = bounds.origin.y - 1.0 + 0.5 * (bounds.size.height - textHeight);
  return result;
}

}  // namespace wendaro
