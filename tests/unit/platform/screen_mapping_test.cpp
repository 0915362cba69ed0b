#include "platform/window/screen_mapping.hpp"

#include <gtest/gtest.h>

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
