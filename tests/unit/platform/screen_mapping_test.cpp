#include "platform/window/screen_mapping.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/window/cursor_image.hpp"

namespace velmorant::platform {
namespace {

TEST(ScreenMapping, PointerLandsOnTheScreenPixelItShows) {
  const ScreenMapping same = ScreenMapping::Filling({800, 600}, {800, 600});
  EXPECT_TRUE(same.IsOneToOne());
  EXPECT_EQ(same.ToScreen({0, 0}), (Point{0, 0}));
  EXPECT_EQ(same.ToScreen({799, 599}), (Point{799, 599}));

  // A high-density display: two pixels for every screen pixel.
  const ScreenMapping dense = ScreenMapping::Filling({800, 600}, {1600, 1200});
  EXPECT_FALSE(dense.IsOneToOne());
  EXPECT_EQ(dense.ToScreen({3, 3}), (Point{1, 1}));
  EXPECT_EQ(dense.ToScreen({1599, 1199}), (Point{799, 599}));

  // An output beside its border (as a scaled screen will be): points left of it land outside.
  const ScreenMapping boxed{{800, 600}, {160, 0, 1760, 1200}};
  EXPECT_EQ(boxed.ToScreen({160, 0}), (Point{0, 0}));
  EXPECT_EQ(boxed.ToScreen({159, 0}).x, -1) << "floor, not truncation toward zero";
  EXPECT_EQ(boxed.ToScreen({1760, 0}).x, 800);
}

struct ScaledCase {
  ScaleMode mode;
  Size screen;
  Size output;
  Rect expected;
  ScreenFilter filter;
};

TEST(ScreenMapping, ModesPlaceTheScreenAsTheyPromise) {
  using enum ScaleMode;
  constexpr auto kNearest = ScreenFilter::kNearest;
  constexpr auto kSharp = ScreenFilter::kSharpBilinear;
  const ScaledCase cases[] = {
      // 4K: fit keeps the aspect (3.6), integer the largest whole factor (3), stretch all.
      {kFit, {800, 600}, {3840, 2160}, {480, 0, 3360, 2160}, kSharp},
      {kInteger, {800, 600}, {3840, 2160}, {720, 180, 3120, 1980}, kNearest},
      {kStretch, {800, 600}, {3840, 2160}, {0, 0, 3840, 2160}, kSharp},
      {kFit, {800, 600}, {1920, 1080}, {240, 0, 1680, 1080}, kSharp},
      {kInteger, {800, 600}, {1920, 1080}, {560, 240, 1360, 840}, kNearest},
      {kFit, {640, 480}, {1920, 1200}, {160, 0, 1760, 1200}, kSharp},
      {kFit, {1024, 768}, {3840, 1600}, {853, 0, 2986, 1600}, kSharp},
      {kFit, {800, 600}, {1600, 2000}, {0, 400, 1600, 1600}, kNearest},
      // Whole factors in both directions are nearest, whatever the mode.
      {kFit, {800, 600}, {1600, 1200}, {0, 0, 1600, 1200}, kNearest},
      {kStretch, {800, 600}, {1600, 600}, {0, 0, 1600, 600}, kNearest},
      // Integer where even 1 does not fit behaves as fit.
      {kInteger, {1024, 768}, {800, 600}, {0, 0, 800, 600}, kSharp},
      {kInteger, {1024, 768}, {1920, 700}, {493, 0, 1426, 700}, kSharp},
      // Nothing to scale: the whole window, nearest.
      {kFit, {0, 0}, {1920, 1080}, {0, 0, 1920, 1080}, kNearest},
      {kNone, {800, 600}, {1920, 1080}, {0, 0, 1920, 1080}, kNearest},
      // A window too small for a pixel keeps one.
      {kFit, {800, 600}, {3, 1}, {1, 0, 2, 1}, kSharp},
  };
  for (const ScaledCase& c : cases) {
    const ScreenMapping m = ScreenMapping::Scaled(c.mode, c.screen, c.output);
    const std::string what = std::to_string(int(c.mode)) + ": " + std::to_string(c.screen.width) +
                             " into " + std::to_string(c.output.width) + "x" +
                             std::to_string(c.output.height);
    EXPECT_EQ(m.output, c.expected) << what;
    EXPECT_EQ(m.filter, c.filter) << what;
  }
}

TEST(ScreenMapping, ARegionsDrawnEdgesAreItsEdgesForThePointer) {
  // Integer at 4K: every screen pixel is 3 x 3 real ones from (720, 180).
  const ScreenMapping m = ScreenMapping::Scaled(ScaleMode::kInteger, {800, 600}, {3840, 2160});
  const Rect region{80, 60, 180, 120};
  const Rect drawn = m.ToOutput(region);
  EXPECT_EQ(drawn, (Rect{960, 360, 1260, 540}));
  EXPECT_TRUE(region.Contains(m.ToScreen({drawn.left, drawn.top})));
  EXPECT_TRUE(region.Contains(m.ToScreen({drawn.right - 1, drawn.bottom - 1})));
  EXPECT_FALSE(region.Contains(m.ToScreen({drawn.left - 1, drawn.top})));
  EXPECT_FALSE(region.Contains(m.ToScreen({drawn.right, drawn.bottom - 1})));
  EXPECT_FALSE(region.Contains(m.ToScreen({drawn.left, drawn.bottom})));
  // The bars are outside the screen, not its edge pixels.
  EXPECT_EQ(m.ToScreen({719, 179}), (Point{-1, -1}));
  EXPECT_EQ(m.ToScreen({3120, 1980}), (Point{800, 600}));

  // The same holds for a factor that is not whole, everywhere along the axes.
  const ScreenMapping fit = ScreenMapping::Scaled(ScaleMode::kFit, {800, 600}, {3840, 2160});
  for (int32_t v = 0; v <= 800; ++v) {
    const Rect r = fit.ToOutput({v, 0, 800, 600});
    ASSERT_EQ(fit.ToScreen({r.left, 0}).x, v);
    ASSERT_EQ(fit.ToScreen({r.left - 1, 0}).x, v - 1);
  }
}

TEST(CursorImage, MultiDragIsAnArrowWithSheetsInThreeColours) {
  const CursorImage c = MultiDragCursor();
  ASSERT_EQ(c.argb.size(), size_t(c.width) * size_t(c.height));
  EXPECT_LE(c.width, 32);
  EXPECT_LE(c.height, 32);
  auto at = [&](int x, int y) { return c.argb[size_t(y) * size_t(c.width) + size_t(x)]; };
  EXPECT_EQ(at(c.hot_x, c.hot_y), 0xFF000000u) << "the tip is the hot spot";
  int opaque_lower_right = 0;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const uint32_t p = at(x, y);
      EXPECT_TRUE(p == 0u || p == 0xFF000000u || p == 0xFFFFFFFFu) << x << "," << y;
      if (p != 0 && x > c.width / 2 && y > c.height / 2) ++opaque_lower_right;
    }
  }
  EXPECT_GT(opaque_lower_right, 20) << "the stack of sheets lies below right of the arrow";
}

TEST(CursorImage, ScaledCursorsGrowWithThePictureAndKeepTheirHotSpot) {
  for (CursorImage (*make)() : {ArrowCursor, HandCursor, HourglassCursor, MultiDragCursor}) {
    const CursorImage c = make();
    ASSERT_EQ(c.argb.size(), size_t(c.width) * size_t(c.height));
    auto opaque = [](const CursorImage& i, int x, int y) {
      return i.argb[size_t(y) * size_t(i.width) + size_t(x)] >> 24 != 0;
    };
    EXPECT_TRUE(opaque(c, c.hot_x, c.hot_y)) << "the hot spot is on the drawing";

    const CursorImage big = ScaleCursor(c, 3.6, 3.6);
    ASSERT_EQ(big.argb.size(), size_t(big.width) * size_t(big.height));
    EXPECT_EQ(big.width, std::lround(c.width * 3.6));
    EXPECT_EQ(big.height, std::lround(c.height * 3.6));
    EXPECT_TRUE(opaque(big, big.hot_x, big.hot_y));
    EXPECT_NEAR(big.hot_x, c.hot_x * 3.6, 3.6);
    EXPECT_NEAR(big.hot_y, c.hot_y * 3.6, 3.6);
    // Every enlarged pixel is one of the picture's: no new colours.
    for (uint32_t p : big.argb) {
      EXPECT_NE(std::find(c.argb.begin(), c.argb.end(), p), c.argb.end());
    }
  }
  const CursorImage arrow = ArrowCursor();
  const CursorImage stretched = ScaleCursor(arrow, 4.8, 3.6);
  EXPECT_EQ(stretched.width, std::lround(arrow.width * 4.8));
  EXPECT_EQ(stretched.height, std::lround(arrow.height * 3.6));
  EXPECT_EQ(ScaleCursor(arrow, 100, 100).width, 256) << "display servers refuse larger cursors";
  EXPECT_EQ(ScaleCursor(arrow, 0, 2).width, arrow.width) << "no factor, no change";
  EXPECT_EQ(ScaleCursor(arrow, std::nan(""), 2).width, arrow.width);
  EXPECT_EQ(ScaleCursor(arrow, 0.01, 0.01).width, 1) << "never smaller than a pixel";
}

}  // namespace
}  // namespace velmorant::platform
