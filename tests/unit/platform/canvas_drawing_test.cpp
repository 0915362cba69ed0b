#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>
#include <vector>

#include "platform/gfx/canvas.hpp"

namespace velmorant::platform {
namespace {

constexpr Pixel kPen = 0xFF0000;

std::set<std::pair<int32_t, int32_t>> LitPixels(const Bitmap& b) {
  std::set<std::pair<int32_t, int32_t>> lit;
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      if (b.At(x, y) == kPen) lit.insert({x, y});
    }
  }
  return lit;
}

std::set<std::pair<int32_t, int32_t>> Line(Point from, Point to, int32_t size = 12) {
  Bitmap b(size, size);
  Canvas canvas(b);
  canvas.pen_colour = kPen;
  canvas.MoveTo(from.x, from.y);
  canvas.LineTo(to.x, to.y);
  EXPECT_EQ(canvas.PenPosition(), to);
  return LitPixels(b);
}

using Pixels = std::set<std::pair<int32_t, int32_t>>;

TEST(CanvasLine, EndPointIsNotDrawn) {
  EXPECT_EQ(Line({2, 3}, {6, 3}), (Pixels{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));
  EXPECT_EQ(Line({6, 3}, {2, 3}), (Pixels{{6, 3}, {5, 3}, {4, 3}, {3, 3}}));
  EXPECT_EQ(Line({1, 5}, {1, 2}), (Pixels{{1, 5}, {1, 4}, {1, 3}}));
  EXPECT_TRUE(Line({4, 4}, {4, 4}).empty());
}

TEST(CanvasLine, TiesFollowTheOctantBias) {
  // Octant 1 (no bias) steps late, octant 5 (biased) steps early.
  EXPECT_EQ(Line({0, 0}, {4, 2}), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
  EXPECT_EQ(Line({8, 8}, {4, 6}), (Pixels{{8, 8}, {7, 7}, {6, 7}, {5, 6}}));
  // Octant 2 (no bias) and octant 6 (biased), y-major.
  EXPECT_EQ(Line({0, 0}, {2, 4}), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
  EXPECT_EQ(Line({8, 8}, {6, 4}), (Pixels{{8, 8}, {7, 7}, {7, 6}, {6, 5}}));
  EXPECT_EQ(Line({0, 0}, {3, 3}), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
}

TEST(CanvasLine, FarEndPointsAreClippedWithoutWalkingThem) {
  EXPECT_EQ(Line({INT_MIN, 5}, {INT_MAX, 5}, 4).size(), 0u);  // row 5 is outside a 4 x 4
  const Pixels row = Line({INT_MIN, 2}, {INT_MAX, 2}, 4);
  EXPECT_EQ(row, (Pixels{{0, 2}, {1, 2}, {2, 2}, {3, 2}}));
  const Pixels column = Line({1, INT_MAX}, {1, INT_MIN}, 4);
  EXPECT_EQ(column, (Pixels{{1, 0}, {1, 1}, {1, 2}, {1, 3}}));
  // A steep line far away touches nothing; a diagonal through the picture stays a diagonal.
  EXPECT_TRUE(Line({INT_MIN, INT_MIN}, {INT_MIN + 7, INT_MAX}).empty());
  EXPECT_EQ(Line({-100, -100}, {100, 100}, 3), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
}

TEST(CanvasFill, FillRectUsesTheBrushAndClips) {
  Bitmap b(4, 3);
  Canvas canvas(b);
  canvas.brush_colour = 0x00FF00;
  canvas.FillRect({-5, 1, 2, 100});
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 4; ++x) {
      EXPECT_EQ(b.At(x, y), (x < 2 && y >= 1) ? 0x00FF00u : 0u);
    }
  }
  canvas.Whiteness({3, 0, 4, 1});
  EXPECT_EQ(b.At(3, 0), kWhite);
  canvas.FillRect({3, 3, 1, 1});  // inverted: nothing
  EXPECT_EQ(b.At(2, 2), 0u);
}

TEST(CanvasFill, ColoursWithATopByteAreStoredWithout) {
  Bitmap b(2, 1);
  Canvas canvas(b);
  canvas.brush_colour = 0xFF112233;
  canvas.FillRect(b.Bounds());
  EXPECT_EQ(b.At(0, 0), 0x112233u);
  canvas.pen_colour = 0xAB445566;
  canvas.MoveTo(0, 0);
  canvas.LineTo(2, 0);
  EXPECT_EQ(b.At(1, 0), 0x445566u);
}

TEST(CanvasPixel, GetPixelAnswersInvalidOutside) {
  Bitmap b(2, 2, 0x010203);
  const Canvas canvas(b);
  EXPECT_EQ(canvas.GetPixel(1, 1), 0x010203u);
  EXPECT_EQ(canvas.GetPixel(2, 0), kInvalidPixel);
  EXPECT_EQ(canvas.GetPixel(-1, 0), kInvalidPixel);
  EXPECT_EQ(canvas.GetPixel(INT_MIN, INT_MAX), kInvalidPixel);
}

TEST(CanvasClip, ClipLimitsDrawingButNotTheStretchMapping) {
  Bitmap source(2, 1);
  source.Set(0, 0, 0x000001);
  source.Set(1, 0, 0x000002);
  Bitmap target(6, 3);
  Canvas canvas(target);
  canvas.SetClip({2, 0, 4, 2});
  canvas.CopyRect({0, 0, 6, 1}, source, source.Bounds());
  canvas.brush_colour = 0x00FF00;
  canvas.FillRect({0, 1, 6, 3});
  canvas.pen_colour = kPen;
  canvas.MoveTo(0, 2);
  canvas.LineTo(6, 2);
  EXPECT_EQ(target.At(1, 0), 0u);
  EXPECT_EQ(target.At(2, 0), 0x000001u);  // still the left half of the source
  EXPECT_EQ(target.At(3, 0), 0x000002u);
  EXPECT_EQ(target.At(4, 0), 0u);
  EXPECT_EQ(target.At(0, 1), 0u);
  EXPECT_EQ(target.At(2, 1), 0x00FF00u);
  EXPECT_EQ(target.At(2, 2), 0u);  // row 2 is outside the clip
  canvas.ClearClip();
  canvas.FillRect({0, 2, 6, 3});
  EXPECT_EQ(target.At(5, 2), 0x00FF00u);
}

// Rectangles a broken presentation could produce; none may reach outside a bitmap (the sanitizer
// build checks the memory side) or take long.
const std::vector<Rect> kWildRects = {
    {0, 0, 0, 0},
    {5, 5, 5, 9},
    {3, 3, -3, -3},
    {-10, -10, -1, -1},
    {100, 100, 200, 200},
    {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
    {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
    {INT_MIN, 0, INT_MIN + 1, 1},
    {INT_MAX - 1, 0, INT_MAX, 1},
    {-1, -1, 9, 9},
    {2, 2, 3, 3},
    {0, INT_MIN, 8, INT_MAX},
};

TEST(CanvasClipping, WildRectanglesStayInsideBothBitmaps) {
  Bitmap source(7, 5, 0x00ABCD);
  for (const Rect& dest : kWildRects) {
    for (const Rect& src : kWildRects) {
      for (const CopyMode mode :
           {CopyMode::kSrcCopy, CopyMode::kSrcAnd, CopyMode::kSrcPaint, CopyMode::kNotSrcCopy}) {
        Bitmap target(8, 6, 0x00FFFF);
        Canvas canvas(target);
        canvas.copy_mode = mode;
        canvas.CopyRect(dest, source, src);
        canvas.StretchDraw(dest, source);
        canvas.FillRect(dest);
        canvas.Whiteness(src);
        for (int32_t y = 0; y < target.Height(); ++y) {
          for (int32_t x = 0; x < target.Width(); ++x) ASSERT_EQ(target.At(x, y) >> 24, 0u);
        }
      }
    }
  }
}

TEST(CanvasClipping, HugeDestinationShowsTheMiddleOfTheSource) {
  // The 2 x 2 source spread over the whole 32-bit plane: the target sits at its centre, where
  // source pixel (1, 1) begins (ties go low, so (0, 0) is just above and left).
  Bitmap source(2, 2);
  source.Set(0, 0, 0x000001);
  source.Set(1, 0, 0x000002);
  source.Set(0, 1, 0x000003);
  source.Set(1, 1, 0x000004);
  Bitmap target(3, 3, 0x00FFFF);
  Canvas(target).CopyRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, source, source.Bounds());
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(target.At(x, y), 0x000004u);
  }
}

}  // namespace
}  // namespace velmorant::platform
