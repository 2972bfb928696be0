#include "app/app_delegate.h"

namespace wendaro {

namespace {

// The gap between the bottom of the main icon's window and a placed window.
constexpr double kGapBelowIcon = 10;

}  // namespace

// Centres the window horizontally on the left edge of the main icon's window
// and puts its top edge just below that window; its size stays. Where the
// icon's place is unknown the window stays where it is.
void AppDelegate::positionWindow(Window& window) {
  StatusBarButton* button = menubarItem->button();
  if (!button) return;
  std::optional<Rect> iconFrame = button->windowFrame();
  if (!iconFrame) return;
  const Size size = window.frame().size;
  window.setFrameOrigin(Point{iconFrame->origin.x - 0.5 * size.width, iconFrame->origin.y - size.height - kGapBelowIcon});
}

}  // namespace wendaro
