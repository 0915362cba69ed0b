// How renderers reach the surface: without steps straight onto it (the same pixels the work
// picture would carry, clipping and stretching included), with steps one changed part at a time.
#include <gtest/gtest.h>

#include "display/render_helpers.hpp"
#include "display/transitions.hpp"
#include "unit/engine/fake_drawing_context.hpp"

namespace velmorant {
namespace {

using platform::Bitmap;
using platform::Pixel;
using platform::Rect;
using testing::AllIn;
using testing::FakeDrawingContext;

constexpr Pixel kOld = 0x202020;
constexpr Pixel kBuffer = 0x303030;

TPrz Transition(int kind, int steps) {
  TPrz t;
  t.Kind = uint8_t(kind);
  t.Steps = steps;
  t.DelayMs = 5;
  return t;
}

Bitmap Numbered(int32_t w, int32_t h) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) b.Set(x, y, Pixel(0x400000 + y * 1024 + x));
  }
  return b;
}

// A 4 x 4 picture doubled into {-4, -4, 4, 4}: the window's corner shows its lower-right quarter,
// except source column 3, which the mask leaves transparent.
struct MaskedCorner {
  MaskedCorner() : picture(Numbered(4, 4)), mask(4, 4, platform::kBlack) {
    platform::Canvas(mask).Whiteness({3, 0, 4, 4});
    PrepareMaskedImage(picture, &mask);
  }
  Pixel Expected(int32_t x, int32_t y, Pixel ground) const {
    if (x >= 4 || y >= 4) return ground;
    const int32_t sx = (x + 4) / 2;
    const int32_t sy = (y + 4) / 2;
    return sx == 3 ? ground : picture.At(sx, sy);
  }
  Bitmap picture;
  Bitmap mask;
};

TEST(TransitionImmediate, WithoutEffectOnTheWindowClipsAStretchedMaskedPicture) {
  FakeDrawingContext display(6, 6, kOld, kBuffer);
  const MaskedCorner corner;
  TRender render(display, -1, {-4, -4, 4, 4}, std::nullopt, &corner.picture, &corner.mask);
  ASSERT_TRUE(render.Execute());
  EXPECT_TRUE(display.sleeps.empty());
  for (int32_t y = 0; y < 6; ++y) {
    for (int32_t x = 0; x < 6; ++x) {
      ASSERT_EQ(display.window.At(x, y), corner.Expected(x, y, kOld)) << x << "," << y;
      ASSERT_EQ(display.back_buffer.At(x, y), corner.Expected(x, y, kBuffer)) << x << "," << y;
    }
  }
}

// Every kind that has an effect on the window draws at once on the back buffer, whatever its work
// area would have been (the slides and zooms use one larger than the destination).
TEST(TransitionImmediate, EveryKindOnTheBackBufferDrawsTheSamePixelsAtOnce) {
  for (int kind = 1; kind <= 12; ++kind) {
    FakeDrawingContext display(6, 6, kOld, kBuffer);
    display.transitions = {Transition(kind, 3)};
    display.back_buffer_current = true;
    const MaskedCorner corner;
    TRender render(display, 0, {-4, -4, 4, 4}, std::nullopt, &corner.picture, &corner.mask);
    ASSERT_TRUE(render.Execute());
    EXPECT_TRUE(display.sleeps.empty()) << kind;
    EXPECT_TRUE(AllIn(display.window, display.window.Bounds(), kOld)) << kind;
    for (int32_t y = 0; y < 6; ++y) {
      for (int32_t x = 0; x < 6; ++x) {
        ASSERT_EQ(display.back_buffer.At(x, y), corner.Expected(x, y, kBuffer))
            << "kind " << kind << " at " << x << "," << y;
      }
    }
  }
}

// The work picture of an animated renderer starts from what the window shows at each run, even
// when an earlier run on the back buffer never needed it.
TEST(TransitionImmediate, AnimatedRunAfterAnImmediateOneStartsFromTheCurrentWindow) {
  FakeDrawingContext display(8, 4, kOld, kBuffer);
  display.transitions = {Transition(3, 2)};  // left to right in two strips
  const Bitmap picture(8, 4, 0x00C000);
  TRender render(display, 0, {0, 0, 8, 4}, std::nullopt, &picture, nullptr);
  display.back_buffer_current = true;
  render.Execute();
  EXPECT_TRUE(display.sleeps.empty());

  display.back_buffer_current = false;
  display.window.Fill(0x0000C0);
  render.Execute();
  ASSERT_EQ(display.presented.size(), 2u);
  EXPECT_TRUE(AllIn(display.presented[0], {0, 0, 4, 4}, 0x00C000));
  EXPECT_TRUE(AllIn(display.presented[0], {4, 0, 8, 4}, 0x0000C0));
  EXPECT_TRUE(AllIn(display.window, display.window.Bounds(), 0x00C000));

  display.window.Fill(kOld);
  render.Execute();
  ASSERT_EQ(display.presented.size(), 4u);
  EXPECT_TRUE(AllIn(display.presented[2], {4, 0, 8, 4}, kOld));
}

// Each strip step presents only its strip; every frame must still show the whole window right:
// the old picture around the destination and the strips drawn so far inside it.
TEST(TransitionStepFrames, OffsetWipeFramesShowEarlierStripsAndTheUntouchedRest) {
  FakeDrawingContext display(40, 30);
  display.window = Numbered(40, 30);
  const Bitmap before = display.window;
  display.transitions = {Transition(1, 4)};
  const Bitmap picture(20, 20, 0x00C000);
  TRender render(display, 0, {10, 5, 30, 25}, std::nullopt, &picture, nullptr);
  render.Execute();
  ASSERT_EQ(display.presented.size(), 4u);
  for (size_t step = 0; step < 4; ++step) {
    const int32_t drawn_to = 5 + 5 * int32_t(step + 1);
    for (int32_t y = 0; y < 30; ++y) {
      for (int32_t x = 0; x < 40; ++x) {
        const bool drawn = x >= 10 && x < 30 && y >= 5 && y < drawn_to;
        ASSERT_EQ(display.presented[step].At(x, y), drawn ? 0x00C000u : before.At(x, y))
            << "step " << step << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace velmorant
