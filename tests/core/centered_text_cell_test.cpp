#include <gtest/gtest.h>

#include "windows/centered_text_cell.h"

namespace wendaro {
namespace {

TEST(CenteredTextCellTest, CentresVerticallyOnePointHighKeepingTheBaseInsets) {
  const Rect base{{2, 10}, {96, 17}};
  const Rect bounds{{0, 10}, {100, 24}};
  EXPECT_EQ(VerticallyCenteredTextFieldCell::titleRectForBounds(base, bounds, 14),
            (Rect{{2, 10 - 1.0 + 5}, {96, 17}}));
}

TEST(CenteredTextCellTest, TallTextStartsAboveTheBoundsUnclamped) {
  const Rect bounds{{0, 40}, {100, 20}};
  Rect r = VerticallyCenteredTextFieldCell::titleRectForBounds(bounds, bounds, 30);
  EXPECT_DOUBLE_EQ(r.origin.y, 40 - 1.0 - 5);
  EXPECT_LT(r.origin.y, bounds.origin.y - 1.0);
}

}  // namespace
}  // namespace wendaro
