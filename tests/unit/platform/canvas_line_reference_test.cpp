#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "platform/gfx/canvas.hpp"

namespace velmorant::platform {
namespace {

// The one-pixel pen's walk in its step-by-step form: error term 2*minor - major, octants numbered
// clockwise from +x, octants 3, 5, 6 and 8 biased towards stepping on a tie.
Bitmap ReferenceLine(Bitmap b, Point from, Point to, Pixel colour) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  int octant = 0;
  if (dy > 0) {
    octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
  } else {
    octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
  }
  const unsigned mask = 1u << (octant - 1);
  const int bias = (mask & 0xb4) ? 1 : 0;
  const bool x_major = (mask & 0x99) != 0;
  const int x_inc = (mask & 0xc3) ? 1 : -1;
  const int y_inc = (mask & 0x0f) ? 1 : -1;
  const int major = x_major ? std::abs(dx) : std::abs(dy);
  const int minor = x_major ? std::abs(dy) : std::abs(dx);
  int err = 2 * minor - major;
  int x = from.x;
  int y = from.y;
  for (int k = 0; k < major; ++k) {
    if (x >= 0 && y >= 0 && x < b.Width() && y < b.Height()) b.Set(x, y, colour);
    if (err + bias > 0) {
      (x_major ? y : x) += x_major ? y_inc : x_inc;
      err += 2 * minor - 2 * major;
    } else {
      err += 2 * minor;
    }
    (x_major ? x : y) += x_major ? x_inc : y_inc;
  }
  return b;
}

TEST(CanvasLineReference, RandomLinesMatchTheStepwiseWalk) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> coord(-20, 44);
  for (int round = 0; round < 2000; ++round) {
    const Point from{coord(rng), coord(rng)};
    const Point to{coord(rng), coord(rng)};
    Bitmap target(24, 24);
    const Bitmap expected = ReferenceLine(target, from, to, 0xFFFFFF);
    Canvas canvas(target);
    canvas.pen_colour = 0xFFFFFF;
    canvas.MoveTo(from.x, from.y);
    canvas.LineTo(to.x, to.y);
    ASSERT_EQ(target, expected) << from.x << "," << from.y << " -> " << to.x << "," << to.y;
  }
}

}  // namespace
}  // namespace velmorant::platform
