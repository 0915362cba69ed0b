#include "golden/tools/snapshot_difference.hpp"

#include <gtest/gtest.h>

namespace velmorant::golden {
namespace {

using platform::Bitmap;

TEST(SnapshotDifference, FirstPixelInReadingOrderWithBothColoursAndTheCount) {
  const Bitmap expected(8, 6, 0x102030);
  EXPECT_EQ(SnapshotDifference(expected, expected), std::nullopt);
  Bitmap actual = expected;
  actual.Set(1, 4, 0xFFFFFF);
  actual.Set(6, 2, 0xABCDEF);  // above the other one: found first
  actual.Set(7, 2, 0x000001);
  EXPECT_EQ(SnapshotDifference(expected, actual),
            "pixel (6, 2) is #ABCDEF, expected #102030 (3 pixels differ)");
}

TEST(SnapshotDifference, SizesDifferingEitherWay) {
  EXPECT_EQ(SnapshotDifference(Bitmap(8, 6), Bitmap(6, 8)), "size 6x8, expected 8x6");
  EXPECT_EQ(SnapshotDifference(Bitmap(8, 6), Bitmap()), "size 0x0, expected 8x6");
}

}  // namespace
}  // namespace velmorant::golden
