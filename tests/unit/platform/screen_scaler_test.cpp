#include "platform/window/screen_scaler.hpp"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/gfx/colour.hpp"
#include "support/reference_scale.hpp"

namespace velmorant::platform {
namespace {

using testing::ChannelDistance;
using testing::ReferencePixel;

constexpr Pixel kMarker = 0x123456;

// A picture in which neighbours differ in every channel.
Bitmap Noise(int32_t width, int32_t height, uint32_t seed) {
  Bitmap b(width, height);
  uint32_t state = seed;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      b.Set(x, y, state >> 8);
    }
  }
  return b;
}

// The largest channel difference from the reference inside the output; anything written beside
// it counts as a failure too.
int WorstDistance(const Bitmap& picture, const ScreenMapping& m, const Bitmap& target) {
  int worst = 0;
  for (int32_t y = 0; y < target.Height(); ++y) {
    for (int32_t x = 0; x < target.Width(); ++x) {
      const bool inside = m.output.Contains({x, y});
      const Pixel expected = inside ? ReferencePixel(picture, m, x, y) : kMarker;
      const int d = ChannelDistance(target.At(x, y), expected);
      if (!inside && d != 0) return 256;
      worst = std::max(worst, d);
    }
  }
  return worst;
}

TEST(ScreenScaler, EveryModeMatchesTheReferenceAndStaysInsideItsOutput) {
  const struct {
    ScaleMode mode;
    Size screen;
    Size window;
    int tolerance;
  } cases[] = {
      {ScaleMode::kInteger, {40, 30}, {130, 100}, 0},  // 3 x 3, bars on every side
      {ScaleMode::kFit, {40, 30}, {192, 108}, 1},      // 3.6, bars left and right
      {ScaleMode::kStretch, {40, 30}, {192, 108}, 1},  // 4.8 x 3.6
      {ScaleMode::kFit, {32, 24}, {96, 100}, 0},       // 3 x 3, bars above and below
      {ScaleMode::kFit, {41, 31}, {30, 20}, 1},        // smaller than the screen: plain linear
      {ScaleMode::kStretch, {7, 5}, {7, 100}, 1},      // one axis as it is, the other 20x
  };
  for (const auto& c : cases) {
    const ScreenMapping m = ScreenMapping::Scaled(c.mode, c.screen, c.window);
    const Bitmap picture = Noise(c.screen.width, c.screen.height, uint32_t(c.window.width));
    Bitmap target(c.window.width, c.window.height, kMarker);
    ScreenScaler scaler(m);
    scaler.Draw(picture, target, target.Bounds());
    EXPECT_LE(WorstDistance(picture, m, target), c.tolerance)
        << int(c.mode) << " " << c.screen.width << "x" << c.screen.height << " into "
        << c.window.width << "x" << c.window.height;
  }
}

TEST(ScreenScaler, SharpBilinearBlursOnlyOneRealPixelPerScreenPixelEdge) {
  // One-pixel black and white columns at 3.6x: enlarged three times by copies, the last 0.6 by
  // mixing, so at most one real column in three is grey. Plain linear would grey almost all.
  Bitmap stripes(100, 2);
  for (int32_t x = 0; x < 100; ++x) {
    stripes.Set(x, 0, x % 2 ? kWhite : kBlack);
    stripes.Set(x, 1, x % 2 ? kWhite : kBlack);
  }
  const ScreenMapping m = ScreenMapping::Scaled(ScaleMode::kStretch, {100, 2}, {360, 2});
  ASSERT_EQ(m.filter, ScreenFilter::kSharpBilinear);
  Bitmap target(360, 2);
  ScreenScaler(m).Draw(stripes, target, target.Bounds());
  int grey = 0;
  for (int32_t x = 0; x < 360; ++x) {
    if (target.At(x, 0) != kBlack && target.At(x, 0) != kWhite) ++grey;
  }
  EXPECT_GT(grey, 0);
  EXPECT_LE(grey, 360 / 3);
  EXPECT_EQ(target.At(0, 0), kBlack) << "the edges are not mixed with what lies beyond";
  EXPECT_EQ(target.At(359, 0), kWhite);
}

TEST(ScreenScaler, RedrawingWhatAChangeAffectsEqualsAFullDraw) {
  for (const ScaleMode mode : {ScaleMode::kFit, ScaleMode::kInteger, ScaleMode::kStretch}) {
    const ScreenMapping m = ScreenMapping::Scaled(mode, {50, 40}, {187, 131});
    Bitmap picture = Noise(50, 40, 7);
    Bitmap partial(187, 131, kMarker);
    ScreenScaler scaler(m);
    scaler.Draw(picture, partial, partial.Bounds());
    // A change at a corner and one inside; only what they affect is drawn again.
    for (const Rect changed : {Rect{0, 0, 3, 2}, Rect{17, 11, 30, 12}, Rect{49, 39, 50, 40}}) {
      const Bitmap patch = Noise(int32_t(changed.Width()), int32_t(changed.Height()), 99);
      for (int32_t y = changed.top; y < changed.bottom; ++y) {
        for (int32_t x = changed.left; x < changed.right; ++x) {
          picture.Set(x, y, patch.At(x - changed.left, y - changed.top));
        }
      }
      scaler.Draw(picture, partial, scaler.Affected(changed));
    }
    Bitmap full(187, 131, kMarker);
    ScreenScaler(m).Draw(picture, full, full.Bounds());
    EXPECT_TRUE(partial == full) << int(mode);
  }
}

TEST(ScreenScaler, RefusesPicturesAndPartsThatDoNotFit) {
  const ScreenMapping m = ScreenMapping::Scaled(ScaleMode::kInteger, {10, 10}, {40, 40});
  ScreenScaler scaler(m);
  Bitmap target(40, 40, kMarker);
  scaler.Draw(Bitmap(11, 10, kWhite), target, target.Bounds());
  EXPECT_EQ(target.At(20, 20), kMarker) << "a picture of another size is no picture of the screen";
  // A target smaller than the mapping (a window shrunk for a moment) and parts beside it.
  Bitmap small(15, 15, kMarker);
  scaler.Draw(Bitmap(10, 10, kWhite), small, {-5, -5, 100, 100});
  EXPECT_EQ(small.At(14, 14), kWhite);
  EXPECT_EQ(small.At(0, 0), kWhite);
  EXPECT_EQ(scaler.Affected({20, 20, 30, 30}), Rect{}) << "nothing of the screen lies there";
}

}  // namespace
}  // namespace velmorant::platform
