#include <gtest/gtest.h>

#include "desktop/qt/windows/window_placement.h"

namespace wendaro {
namespace {

const QRect kLeftScreen(0, 0, 1920, 1050);      // a panel takes the bottom 30 pixels
const QRect kRightScreen(1920, 0, 1280, 1024);

struct Kept {
  const char* what;
  QRect frame;
  QRect area;
  QPoint topLeft;
};

TEST(WindowPlacementTest, KeepsTheFrameInsideTheAreaMovingItAsLittleAsPossible) {
  const Kept cases[] = {
      {"inside stays", {100, 100, 400, 300}, kLeftScreen, {100, 100}},
      {"past the right edge", {1700, 100, 400, 300}, kLeftScreen, {1520, 100}},
      {"past the bottom edge (into the panel)", {100, 900, 400, 300}, kLeftScreen, {100, 750}},
      {"past the left and top edges", {-150, -40, 400, 300}, kLeftScreen, {0, 0}},
      {"on a second screen", {3100, 900, 400, 300}, kRightScreen, {2800, 724}},
      {"larger than the area: top left", {500, 500, 2000, 1200}, kLeftScreen, {0, 0}},
      {"no area: unchanged", {-50, -50, 400, 300}, QRect(), {-50, -50}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(keptInside(c.frame, c.area), c.topLeft);
  }
}

TEST(WindowPlacementTest, TheScreenHoldingAFrameIsTheOneItOverlapsMostElseTheNearest) {
  const QList<QRect> screens{kLeftScreen, kRightScreen};
  EXPECT_EQ(screenAreaHolding({1800, 100, 400, 300}, screens), kRightScreen);  // 280 of 400 pixels on the right
  EXPECT_EQ(screenAreaHolding({1700, 100, 400, 300}, screens), kLeftScreen);
  EXPECT_EQ(screenAreaHolding({3400, 200, 100, 100}, screens), kRightScreen);  // beyond the right screen
  EXPECT_EQ(screenAreaHolding({-500, -500, 100, 100}, screens), kLeftScreen);
  EXPECT_EQ(screenAreaHolding({0, 0, 10, 10}, {}), QRect());
}

}  // namespace
}  // namespace wendaro
