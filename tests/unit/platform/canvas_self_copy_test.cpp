#include <gtest/gtest.h>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/canvas.hpp"

namespace velmorant::platform {
namespace {

Bitmap Numbered(int32_t w, int32_t h) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) b.Set(x, y, Pixel(0x300000 + y * 256 + x));
  }
  return b;
}

// A back buffer redrawn from itself (a page carried onto the window and into its own buffer).
TEST(CanvasSelfCopy, InPlaceCopyKeepsThePictureInTheIdempotentModes) {
  for (const CopyMode mode : {CopyMode::kSrcCopy, CopyMode::kSrcAnd, CopyMode::kSrcPaint}) {
    Bitmap picture = Numbered(9, 7);
    const Bitmap before = picture;
    Canvas canvas(picture);
    canvas.copy_mode = mode;
    canvas.CopyRect(picture.Bounds(), picture, picture.Bounds());
    canvas.CopyRect({-3, 2, 20, 30}, picture, {-3, 2, 20, 30});  // partly outside
    canvas.CopyRect({8, 6, 2, 1}, picture, {8, 6, 2, 1});        // reversed on both sides
    EXPECT_EQ(picture, before) << int(mode);
  }
}

TEST(CanvasSelfCopy, InPlaceInversionStillInverts) {
  Bitmap picture = Numbered(4, 3);
  const Bitmap before = picture;
  Canvas canvas(picture);
  canvas.copy_mode = CopyMode::kNotSrcCopy;
  canvas.CopyRect({0, 0, 2, 3}, picture, {0, 0, 2, 3});
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 4; ++x) {
      const Pixel expected = x < 2 ? (~before.At(x, y) & 0xFFFFFFu) : before.At(x, y);
      EXPECT_EQ(picture.At(x, y), expected) << x << "," << y;
    }
  }
}

// Shifted or stretched onto itself, the copy reads the picture as it was before the call.
TEST(CanvasSelfCopy, ShiftedAndStretchedCopiesReadTheOriginal) {
  Bitmap picture = Numbered(6, 2);
  const Bitmap before = picture;
  Canvas canvas(picture);
  canvas.CopyRect({1, 0, 6, 2}, picture, {0, 0, 5, 2});
  for (int32_t x = 1; x < 6; ++x) EXPECT_EQ(picture.At(x, 1), before.At(x - 1, 1));

  picture = before;
  canvas.CopyRect({0, 0, 6, 2}, picture, {0, 0, 3, 1});
  for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(picture.At(x, 1), before.At(x / 2, 0));
}

}  // namespace
}  // namespace velmorant::platform
