#include "display/render_helpers.hpp"

#include <gtest/gtest.h>

#include <climits>

#include "unit/engine/fake_drawing_context.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Canvas;
using platform::CopyMode;
using platform::Pixel;
using platform::Rect;
using testing::AllIn;
using testing::FakeDrawingContext;

constexpr Pixel kGround = 0x336699;

// A picture whose pixels all differ.
Bitmap Numbered(int32_t w, int32_t h) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) b.Set(x, y, Pixel(0x010000 + y * 256 + x));
  }
  return b;
}

TEST(SaveUnder, TakesTheRectangleOfTheCurrentSurface) {
  FakeDrawingContext display(10, 10, kGround, 0x000001);
  display.window.Set(3, 4, 0xABCDEF);
  Bitmap saved(1, 1, 0xFFFFFF);
  platform::MemoryBudget::Charge charge;
  SaveUnder(display, {2, 3, 6, 5}, &saved, charge);
  ASSERT_EQ(saved.GetSize(), (platform::Size{4, 2}));
  EXPECT_EQ(saved.At(1, 1), 0xABCDEFu);
  EXPECT_EQ(saved.At(0, 0), kGround);

  display.back_buffer_current = true;
  SaveUnder(display, {0, 0, 1, 1}, &saved, charge);
  EXPECT_EQ(saved.At(0, 0), 0x000001u);
}

TEST(SaveUnder, OutsidePartsStayBlackAndOddRectanglesAreSafe) {
  FakeDrawingContext display(4, 4, kGround);
  Bitmap saved;
  platform::MemoryBudget::Charge charge;
  SaveUnder(display, {2, 2, 6, 6}, &saved, charge);
  EXPECT_EQ(saved.At(1, 1), kGround);
  EXPECT_EQ(saved.At(2, 2), 0u);
  SaveUnder(display, {5, 5, 1, 1}, &saved, charge);
  EXPECT_TRUE(saved.IsEmpty());
  SaveUnder(display, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, &saved, charge);
  EXPECT_TRUE(saved.IsEmpty());
  SaveUnder(display, {0, 0, 2, 2}, nullptr, charge);
}

TEST(SaveUnder, ChargesWhatItKeepsAndARefusalKeepsNothing) {
  FakeDrawingContext display(10, 10, kGround);
  Bitmap saved;
  platform::MemoryBudget::Charge charge;
  EXPECT_TRUE(SaveUnder(display, {0, 0, 4, 2}, &saved, charge));
  EXPECT_EQ(display.memory.Used(), platform::PictureBytes(4, 2));
  EXPECT_TRUE(SaveUnder(display, {0, 0, 4, 2}, &saved, charge));
  EXPECT_EQ(display.memory.Used(), platform::PictureBytes(4, 2)) << "the same size charged once";
  display.memory.SetLimit(platform::PictureBytes(4, 4) - 1);
  EXPECT_FALSE(SaveUnder(display, {0, 0, 4, 4}, &saved, charge));
  EXPECT_TRUE(saved.IsEmpty());
  EXPECT_EQ(display.memory.Used(), 0u);
}

TEST(CopyMasked, AllBlackMaskCopiesLikeThePlainCopy) {
  const Bitmap picture = Numbered(6, 4);
  const Bitmap mask(6, 4, platform::kBlack);
  Bitmap plain(8, 8, kGround);
  Bitmap masked(8, 8, kGround);
  Canvas plain_canvas(plain);
  Canvas masked_canvas(masked);
  CopyMasked({1, 2, 7, 6}, plain_canvas, picture, nullptr);
  CopyMasked({1, 2, 7, 6}, masked_canvas, picture, &mask);
  EXPECT_EQ(plain, masked);
  EXPECT_EQ(masked_canvas.copy_mode, CopyMode::kSrcCopy);
}

TEST(CopyMasked, AllWhiteMaskLeavesTheDestination) {
  Bitmap picture(5, 5, platform::kBlack);  // prepared: black under the white mask
  const Bitmap mask(5, 5, platform::kWhite);
  Bitmap target = Numbered(8, 8);
  const Bitmap before = target;
  Canvas canvas(target);
  canvas.copy_mode = CopyMode::kNotSrcCopy;
  CopyMasked({0, 0, 5, 5}, {0, 0, 5, 5}, canvas, picture, &mask);
  EXPECT_EQ(target, before);
  EXPECT_EQ(canvas.copy_mode, CopyMode::kSrcCopy);
}

TEST(CopyMasked, PreparedPictureShowsOnlyWhereTheMaskIsBlack) {
  Bitmap picture(4, 1, 0x00FF7F);
  Bitmap mask(4, 1, platform::kWhite);
  mask.Set(1, 0, platform::kBlack);
  mask.Set(2, 0, platform::kBlack);
  PrepareMaskedImage(picture, &mask);
  EXPECT_EQ(picture.At(0, 0), 0u);
  EXPECT_EQ(picture.At(1, 0), 0x00FF7Fu);

  Bitmap target(4, 1, kGround);
  Canvas canvas(target);
  CopyMasked({0, 0, 4, 1}, canvas, picture, &mask);
  EXPECT_EQ(target.At(0, 0), kGround);
  EXPECT_EQ(target.At(1, 0), 0x00FF7Fu);
  EXPECT_EQ(target.At(2, 0), 0x00FF7Fu);
  EXPECT_EQ(target.At(3, 0), kGround);
}

TEST(CopyMasked, TenByTenScalesToTwentyByTwentyMaskIncluded) {
  Bitmap picture = Numbered(10, 10);
  Bitmap mask(10, 10, platform::kBlack);
  Canvas(mask).Whiteness({5, 0, 10, 10});  // right half transparent
  PrepareMaskedImage(picture, &mask);
  Bitmap target(20, 20, kGround);
  Canvas canvas(target);
  CopyMasked({0, 0, 20, 20}, canvas, picture, &mask);
  for (int32_t y = 0; y < 20; ++y) {
    for (int32_t x = 0; x < 20; ++x) {
      const Pixel expected = x < 10 ? picture.At(x / 2, y / 2) : kGround;
      ASSERT_EQ(target.At(x, y), expected) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace velmorant
