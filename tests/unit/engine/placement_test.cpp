#include <gtest/gtest.h>

#include <climits>

#include "display/placement.hpp"

namespace velmorant {
namespace {

using platform::Rect;
using platform::Size;

Rect Placed(int32_t x, int32_t y, int32_t w, int32_t h, Rect natural, Size client) {
  Place(x, y, w, h, natural, client);
  return natural;
}

TEST(Placement, WorkedExamples) {
  const Size client{800, 600};
  EXPECT_EQ(Placed(-2, 10, 50, 10, {}, client), (Rect{200, 60, 600, 120}));
  EXPECT_EQ(Placed(-1, -3, 50, 10, {}, client), (Rect{400, 0, 800, 60}));
  EXPECT_EQ(Placed(10, -1, 50, 10, {}, client), (Rect{80, 540, 480, 600}));
  // w and h below 1 keep the natural size the caller put in the rectangle.
  EXPECT_EQ(Placed(10, -2, 0, -5, {0, 0, 123, 45}, client), (Rect{80, 277, 203, 322}));
  // Truncating division, also for negative values.
  EXPECT_EQ(Placed(-2, 0, 0, 0, {0, 0, 901, 0}, client), (Rect{-50, 0, 851, 0}));
  EXPECT_EQ(Placed(-7, 0, 3, 0, {}, Size{333, 0}), (Rect{-23, 0, -14, 0}));
}

TEST(Placement, HugeValuesWrapLikeSigned32BitArithmetic) {
  const Rect r = Placed(INT32_MAX, INT32_MIN, INT32_MAX, 1, {}, Size{800, 600});
  EXPECT_EQ(r.left, int32_t(uint32_t(800) * uint32_t(INT32_MAX)) / 100);
  EXPECT_EQ(r.top, int32_t(uint32_t(600) * uint32_t(INT32_MIN)) / 100);
}

}  // namespace
}  // namespace velmorant
