#include "platform/gfx/png_writer.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/gfx/colour.hpp"

namespace velmorant::platform {
namespace {

Bitmap Gradient(int32_t w, int32_t h) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x)
      b.Set(x, y, Rgb(uint8_t(x * 7), uint8_t(y * 13), uint8_t(x ^ y)));
  }
  return b;
}

TEST(PngWriter, RoundTripsEveryPixelAsEightBitRgb) {
  const Bitmap picture = Gradient(37, 11);
  const std::vector<uint8_t> png = EncodePng(picture);
  ASSERT_GT(png.size(), 33u);
  // IHDR: width, height, bit depth 8, colour type 2 (RGB), no interlace.
  EXPECT_EQ(png[16 + 3], 37);
  EXPECT_EQ(png[20 + 3], 11);
  EXPECT_EQ(png[24], 8);
  EXPECT_EQ(png[25], 2);
  EXPECT_EQ(png[28], 0);
  auto back = DecodePng(png);
  ASSERT_TRUE(back) << back.error();
  EXPECT_EQ(*back, picture);
}

TEST(PngWriter, EqualPicturesGiveEqualBytes) {
  EXPECT_EQ(EncodePng(Gradient(64, 64)), EncodePng(Gradient(64, 64)));
  EXPECT_NE(EncodePng(Gradient(64, 64)), EncodePng(Gradient(64, 63)));
}

TEST(PngWriter, WritesAndReadsFiles) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("velmorant_png_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const Bitmap picture = Gradient(5, 9);
  ASSERT_TRUE(WritePng(picture, dir / "a.png"));
  auto back = ReadPng(dir / "a.png");
  ASSERT_TRUE(back) << back.error();
  EXPECT_EQ(*back, picture);
  EXPECT_FALSE(WritePng(Bitmap(), dir / "empty.png"));
  EXPECT_FALSE(WritePng(picture, dir / "missing" / "a.png"));
  std::filesystem::remove_all(dir);
}

TEST(PngWriter, RefusesWhatIsNotAPng) {
  EXPECT_TRUE(EncodePng(Bitmap()).empty());
  auto missing = ReadPng("/nonexistent/velmorant/snapshot.png");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().find("snapshot.png"), std::string::npos) << "the caller names it";
  EXPECT_FALSE(ReadPng("/dev/zero"));
  const std::vector<uint8_t> garbage(100, 0x42);
  EXPECT_FALSE(DecodePng(garbage));
  std::vector<uint8_t> cut = EncodePng(Gradient(40, 40));
  cut.resize(cut.size() / 2);
  EXPECT_FALSE(DecodePng(cut));
  EXPECT_FALSE(DecodePng({}));
}

}  // namespace
}  // namespace velmorant::platform
