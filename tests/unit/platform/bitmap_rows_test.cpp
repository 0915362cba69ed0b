#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "golden/tools/bmp_writer.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/file_bytes.hpp"

namespace velmorant::platform {
namespace {

Pixel Pattern(int x, int y) {
  return Pixel(0x010203 * uint32_t(x + 1) + 0x100000 * uint32_t(y));
}

TEST(BitmapFromRows, RowsArriveTopFirstAndLandInTheirPlace) {
  std::vector<int32_t> order;
  const Bitmap b = Bitmap::FromRows(3, 4, [&](int32_t y, std::span<Pixel> row) {
    order.push_back(y);
    ASSERT_EQ(row.size(), 3u);
    for (size_t x = 0; x < row.size(); ++x) row[x] = Pattern(int(x), y);
  });
  EXPECT_EQ(order, (std::vector<int32_t>{0, 1, 2, 3}));
  ASSERT_EQ(b.GetSize(), (Size{3, 4}));
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(b.At(x, y), Pattern(x, y)) << x << "," << y;
  }
}

TEST(BitmapFromRows, EmptySizesNeedNoRowsAndHugeOnesAreRefused) {
  int calls = 0;
  const auto count = [&](int32_t, std::span<Pixel>) { ++calls; };
  EXPECT_EQ(Bitmap::FromRows(0, 1'000'000, count).GetSize(), (Size{0, 1'000'000}));
  EXPECT_EQ(Bitmap::FromRows(7, 0, count).GetSize(), (Size{7, 0}));
  EXPECT_EQ(calls, 0);
  EXPECT_THROW(Bitmap::FromRows(1 << 14, 1 << 14, count), std::length_error);
  EXPECT_THROW(Bitmap::FromRows(-1, 2, count), std::length_error);
  EXPECT_EQ(calls, 0);
}

class BmpRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("velmorant-bmp-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".bmp");
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  std::filesystem::path path_;
};

// Widths 4 and 8 give rows without padding (the last pixel of the file ends it); the others are
// padded. A bottom-up file lists the last row first.
TEST_F(BmpRoundTrip, WrittenPictureDecodesToTheSamePixels) {
  for (const Size size : {Size{1, 1}, Size{4, 3}, Size{5, 3}, Size{6, 2}, Size{7, 5}, Size{8, 2}}) {
    ASSERT_TRUE(fixtures::WriteBmp(path_, size.width, size.height, Pattern));
    const auto decoded = LoadBmpFile(path_);
    ASSERT_TRUE(decoded) << decoded.error();
    ASSERT_EQ(decoded->GetSize(), size);
    for (int32_t y = 0; y < size.height; ++y) {
      for (int32_t x = 0; x < size.width; ++x) ASSERT_EQ(decoded->At(x, y), Pattern(x, y));
    }
  }
}

TEST_F(BmpRoundTrip, NegativeHeightMeansTopDownRows) {
  ASSERT_TRUE(fixtures::WriteBmp(path_, 5, 3, Pattern));
  auto bytes = ReadFileBytes(path_, 1 << 20);
  ASSERT_TRUE(bytes);
  std::vector<uint8_t> file = *bytes;
  // Height -3 at offset 22, and the rows reversed so that the picture stays the same.
  const size_t stride = 16;
  std::vector<uint8_t> flipped(file.begin(), file.begin() + 54);
  for (int row = 2; row >= 0; --row) {
    const auto start = file.begin() + 54 + std::ptrdiff_t(size_t(row) * stride);
    flipped.insert(flipped.end(), start, start + std::ptrdiff_t(stride));
  }
  const uint32_t minus_three = uint32_t(-3);
  for (int i = 0; i < 4; ++i) flipped[size_t(22 + i)] = uint8_t(minus_three >> (8 * i));
  const auto decoded = DecodeBmp(flipped);
  ASSERT_TRUE(decoded) << decoded.error();
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(decoded->At(x, y), Pattern(x, y));
  }
}

TEST_F(BmpRoundTrip, WriterRefusesSizesOutsideItsRange) {
  EXPECT_FALSE(fixtures::WriteBmp(path_, 0, 3, Pattern));
  EXPECT_FALSE(fixtures::WriteBmp(path_, 3, -1, Pattern));
  EXPECT_FALSE(fixtures::WriteBmp(path_, fixtures::kMaxBmpSide + 1, 1, Pattern));
}

}  // namespace
}  // namespace velmorant::platform
