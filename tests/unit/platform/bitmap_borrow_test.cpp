// Pictures over borrowed memory with a pitch (a window's pixel buffer): drawing reaches exactly
// the pixels of each row, copies become pictures of their own, and comparison ignores storage.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/gfx/canvas_state.hpp"

namespace velmorant::platform {
namespace {

constexpr Pixel kPadding = 0xABCDEF;

TEST(BorrowedBitmap, DrawingStaysInsideEachRowAndLeavesThePaddingAlone) {
  // 5 x 3 pixels with rows 8 apart.
  std::vector<Pixel> memory(8 * 3, kPadding);
  Bitmap view = Bitmap::Borrow(memory.data(), 5, 3, 8);
  EXPECT_TRUE(view.IsBorrowed());
  EXPECT_FALSE(view.IsContiguous());
  Canvas canvas(view);
  canvas.brush_colour = 0x112233;
  canvas.FillRect({-10, -10, 100, 100});
  Bitmap source(5, 3);
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 5; ++x) source.Set(x, y, Pixel(y * 10 + x));
  }
  canvas.CopyRect({1, 1, 4, 3}, source, {0, 0, 3, 2});
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 8; ++x) {
      const Pixel got = memory[size_t(y * 8 + x)];
      if (x >= 5) {
        EXPECT_EQ(got, kPadding) << x << "," << y;
      } else if (x >= 1 && x < 4 && y >= 1) {
        EXPECT_EQ(got, Pixel((y - 1) * 10 + (x - 1))) << x << "," << y;
      } else {
        EXPECT_EQ(got, 0x112233u) << x << "," << y;
      }
    }
  }
}

TEST(BorrowedBitmap, CopiesOwnTheirPixelsAndCompareByContent) {
  std::vector<Pixel> memory(4 * 2, kPadding);
  Bitmap view = Bitmap::Borrow(memory.data(), 3, 2, 4);
  view.Fill(0x000001);
  Bitmap copy = view;
  EXPECT_FALSE(copy.IsBorrowed());
  EXPECT_TRUE(copy.IsContiguous());
  EXPECT_EQ(copy, view);
  copy.Set(0, 0, 7);
  EXPECT_NE(copy, view);
  EXPECT_EQ(memory[0], 1u);
  EXPECT_EQ(memory[3], kPadding);
  // A moved picture keeps pointing at the same memory.
  Bitmap moved = std::move(view);
  moved.Set(2, 1, 9);
  EXPECT_EQ(memory[4 + 2], 9u);
  // Resizing gives the picture memory of its own.
  moved.Resize(2, 2);
  EXPECT_FALSE(moved.IsBorrowed());
  EXPECT_EQ(memory[4 + 2], 9u);
}

TEST(BorrowedBitmap, RefusesAPitchBelowTheWidthAndAbsurdSizes) {
  std::vector<Pixel> memory(16);
  EXPECT_THROW(Bitmap::Borrow(memory.data(), 4, 2, 3), std::invalid_argument);
  EXPECT_THROW(Bitmap::Borrow(memory.data(), -1, 2, 4), std::length_error);
  EXPECT_THROW(Bitmap::Borrow(nullptr, 4, 2, 4), std::invalid_argument);
  EXPECT_NO_THROW(Bitmap::Borrow(nullptr, 0, 0, 0));
}

TEST(CanvasStateGuard, PutsModeColoursAndClipBack) {
  Bitmap target(10, 10);
  Canvas canvas(target);
  canvas.copy_mode = CopyMode::kSrcAnd;
  canvas.pen_colour = 1;
  canvas.brush_colour = 2;
  {
    CanvasStateGuard keep(canvas);
    keep.ClipTo({2, 2, 5, 5});
    canvas.copy_mode = CopyMode::kSrcCopy;
    canvas.pen_colour = 3;
    canvas.brush_colour = 4;
    EXPECT_EQ(canvas.Clip(), (Rect{2, 2, 5, 5}));
  }
  EXPECT_EQ(canvas.copy_mode, CopyMode::kSrcAnd);
  EXPECT_EQ(canvas.pen_colour, 1u);
  EXPECT_EQ(canvas.brush_colour, 2u);
  EXPECT_FALSE(canvas.Clip().has_value());
  // A narrowed clip stays within the clip the canvas already had.
  canvas.SetClip({0, 0, 4, 4});
  {
    CanvasStateGuard keep(canvas);
    keep.ClipTo({2, 2, 8, 8});
    EXPECT_EQ(canvas.Clip(), (Rect{2, 2, 4, 4}));
  }
  EXPECT_EQ(canvas.Clip(), (Rect{0, 0, 4, 4}));
}

}  // namespace
}  // namespace velmorant::platform
