#include "platform/window/screen_mapping.hpp"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velmorant::platform
