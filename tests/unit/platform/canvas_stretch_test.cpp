#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "platform/gfx/canvas.hpp"

namespace velmorant::platform {
namespace {

// A one-row picture of the given pixels.
Bitmap RowOf(const std::vector<Pixel>& pixels) {
  Bitmap b(int32_t(pixels.size()), 1);
  for (size_t x = 0; x < pixels.size(); ++x) b.Set(int32_t(x), 0, pixels[x]);
  return b;
}

std::vector<Pixel> PixelsOf(const Bitmap& b, int32_t y = 0) {
  const auto row = b.Row(y);
  return {row.begin(), row.end()};
}

constexpr Pixel kUntouched = 0x123456;

// Copies `src` of a numbered row (pixel k = k + 1) into `dest` of a row of `width` untouched
// pixels.
std::vector<Pixel> Copy1D(int32_t width, Rect dest, Rect src, int32_t source_width = 8) {
  std::vector<Pixel> numbers;
  for (int32_t k = 0; k < source_width; ++k) numbers.push_back(Pixel(k + 1));
  const Bitmap source = RowOf(numbers);
  Bitmap target(width, 1, kUntouched);
  Canvas(target).CopyRect(dest, source, src);
  return PixelsOf(target);
}

TEST(CanvasStretch, EnlargingReplicatesWithNearestCentreTiesLow) {
  // dst i takes src ceil((2i+1)*src/(2*dst)) - 1.
  EXPECT_EQ(Copy1D(5, {0, 0, 5, 1}, {0, 0, 2, 1}), (std::vector<Pixel>{1, 1, 1, 2, 2}));
  EXPECT_EQ(Copy1D(7, {0, 0, 7, 1}, {0, 0, 3, 1}), (std::vector<Pixel>{1, 1, 2, 2, 2, 3, 3}));
  EXPECT_EQ(Copy1D(4, {0, 0, 4, 1}, {0, 0, 2, 1}), (std::vector<Pixel>{1, 1, 2, 2}));
}

TEST(CanvasStretch, ShrinkingAndsTheEliminatedPixels) {
  // Bits make the AND visible: 5 -> 2 merges sources 0..2 and 3..4.
  const Bitmap source = RowOf({0x0F0, 0x0FF, 0x1F0, 0x00F, 0x0F3});
  Bitmap target(2, 1, kUntouched);
  Canvas(target).CopyRect({0, 0, 2, 1}, source, {0, 0, 5, 1});
  EXPECT_EQ(PixelsOf(target), (std::vector<Pixel>{0x0F0, 0x003}));
}

TEST(CanvasStretch, OnePixelDestinationDropsTheLastSourcePixel) {
  const Bitmap source = RowOf({0x0F0, 0x00F, 0x0FF});
  Bitmap target(1, 1);
  Canvas canvas(target);
  canvas.CopyRect({0, 0, 1, 1}, source, {0, 0, 2, 1});
  EXPECT_EQ(target.At(0, 0), 0x0F0u);  // not 0x0F0 & 0x00F
  canvas.CopyRect({0, 0, 1, 1}, source, {1, 0, 3, 1});
  EXPECT_EQ(target.At(0, 0), 0x00Fu);
  canvas.CopyRect({0, 0, 1, 1}, source, {0, 0, 3, 1});
  EXPECT_EQ(target.At(0, 0), 0x000u);  // 0x0F0 & 0x00F
}

TEST(CanvasStretch, NegativeExtentsMirror) {
  // A width of -4 at 3 covers 0..3, walked from 3.
  EXPECT_EQ(Copy1D(4, {3, 0, -1, 1}, {0, 0, 4, 1}), (std::vector<Pixel>{4, 3, 2, 1}));
  EXPECT_EQ(Copy1D(4, {0, 0, 4, 1}, {3, 0, -1, 1}), (std::vector<Pixel>{4, 3, 2, 1}));
  // Both sides negative: no mirror.
  EXPECT_EQ(Copy1D(4, {3, 0, -1, 1}, {3, 0, -1, 1}), (std::vector<Pixel>{1, 2, 3, 4}));
  // Mirrored while enlarging.
  EXPECT_EQ(Copy1D(4, {3, 0, -1, 1}, {0, 0, 2, 1}), (std::vector<Pixel>{2, 2, 1, 1}));
}

TEST(CanvasStretch, MirroredSourceCutByTheEdgeIsShiftedNotFlippedInPlace) {
  // Source walk 5, 4, 3, 2 of a 4-pixel row: 5 and 4 lie outside. In place the visible pixels
  // would land at 2 and 3; the destination moves by the cut part instead.
  const std::vector<Pixel> shifted{4, 3, kUntouched, kUntouched};
  EXPECT_EQ(Copy1D(4, {0, 0, 4, 1}, {5, 0, 1, 1}, 4), shifted);
  // The same for a mirrored destination with a source cut on the left.
  EXPECT_EQ(Copy1D(4, {3, 0, -1, 1}, {-2, 0, 2, 1}, 4),
            (std::vector<Pixel>{kUntouched, kUntouched, 2, 1}));
  // Cut but not mirrored: stays in place.
  EXPECT_EQ(Copy1D(4, {0, 0, 4, 1}, {2, 0, 6, 1}, 4),
            (std::vector<Pixel>{3, 4, kUntouched, kUntouched}));
}

TEST(CanvasStretch, VerticalMirrorAndEnlarge) {
  Bitmap source(1, 2);
  source.Set(0, 0, 0xA);
  source.Set(0, 1, 0xB);
  Bitmap target(1, 4);
  Canvas(target).CopyRect({0, 3, 1, -1}, source, {0, 0, 1, 2});
  EXPECT_EQ(target.At(0, 0), 0xBu);
  EXPECT_EQ(target.At(0, 1), 0xBu);
  EXPECT_EQ(target.At(0, 2), 0xAu);
  EXPECT_EQ(target.At(0, 3), 0xAu);
}

TEST(CanvasStretch, PixelsFedFromOutsideTheSourceStayUntouched) {
  EXPECT_EQ(Copy1D(4, {0, 0, 4, 1}, {-2, 0, 2, 1}),
            (std::vector<Pixel>{kUntouched, kUntouched, 1, 2}));
  EXPECT_EQ(Copy1D(4, {0, 0, 4, 1}, {6, 0, 10, 1}),
            (std::vector<Pixel>{7, 8, kUntouched, kUntouched}));
  // Enlarged: the outside source pixel -1 feeds destination 0 and 1.
  EXPECT_EQ(Copy1D(4, {0, 0, 4, 1}, {-1, 0, 1, 1}),
            (std::vector<Pixel>{kUntouched, kUntouched, 1, 1}));
  // Shrunk: a merged run partly outside keeps the AND of its inside pixels.
  EXPECT_EQ(Copy1D(2, {0, 0, 2, 1}, {-1, 0, 3, 1}), (std::vector<Pixel>{1, 2 & 3}));
}

TEST(CanvasStretch, CopyModesCombineWithTheDestination) {
  const Bitmap source = RowOf({0x00FF00, 0x0F0F0F});
  Bitmap target = RowOf({0x0FFFF0, 0xF00000});
  Canvas canvas(target);
  canvas.copy_mode = CopyMode::kSrcAnd;
  canvas.Draw(0, 0, source);
  EXPECT_EQ(PixelsOf(target), (std::vector<Pixel>{0x00FF00, 0x000000}));
  canvas.copy_mode = CopyMode::kSrcPaint;
  canvas.Draw(0, 0, source);
  canvas.Draw(0, 0, RowOf({0x0000FF, 0xF00000}));
  EXPECT_EQ(PixelsOf(target), (std::vector<Pixel>{0x00FFFF, 0xFF0F0F}));
  canvas.copy_mode = CopyMode::kNotSrcCopy;
  canvas.Draw(0, 0, source);
  EXPECT_EQ(PixelsOf(target), (std::vector<Pixel>{0xFF00FF, 0xF0F0F0}));  // top byte stays 0
}

TEST(CanvasStretch, CopyModesApplyToStretchedCopies) {
  Bitmap target(4, 1, 0xFFFFFF);
  Canvas canvas(target);
  canvas.copy_mode = CopyMode::kSrcAnd;
  canvas.StretchDraw({0, 0, 4, 1}, RowOf({0x000000, 0xFFFFFF}));
  EXPECT_EQ(PixelsOf(target), (std::vector<Pixel>{0, 0, 0xFFFFFF, 0xFFFFFF}));
}

TEST(CanvasStretch, CopyWithinOneBitmapReadsTheOriginal) {
  Bitmap b = RowOf({1, 2, 3, 4, 5});
  Canvas canvas(b);
  canvas.CopyRect({1, 0, 5, 1}, b, {0, 0, 4, 1});
  EXPECT_EQ(PixelsOf(b), (std::vector<Pixel>{1, 1, 2, 3, 4}));
  canvas.CopyRect({0, 0, 5, 1}, b, {4, 0, -1, 1});
  EXPECT_EQ(PixelsOf(b), (std::vector<Pixel>{4, 3, 2, 1, 1}));
}

TEST(CanvasStretch, DrawClipsAgainstBothBitmaps) {
  Bitmap source(3, 3, 0x111111);
  Bitmap target(4, 4, kUntouched);
  Canvas canvas(target);
  canvas.Draw(-2, 2, source);
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 4; ++x) {
      EXPECT_EQ(target.At(x, y), (x == 0 && y >= 2) ? 0x111111u : kUntouched) << x << "," << y;
    }
  }
  canvas.Draw(INT_MAX, INT_MAX, source);
  canvas.Draw(INT_MIN, INT_MIN, source);
  canvas.Draw(0, 0, Bitmap());
  EXPECT_EQ(target.At(3, 3), kUntouched);
}

}  // namespace
}  // namespace velmorant::platform
