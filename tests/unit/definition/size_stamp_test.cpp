#include <gtest/gtest.h>

#include "definition/size_stamp.hpp"

namespace velmorant {
namespace {

TEST(SizeStamp, UnstampedPlayerChecksNoSize) {
  EXPECT_EQ(BuiltInSizeStamp(), "??????");
  EXPECT_FALSE(CheckSizeStamp("??????", 0));
  EXPECT_FALSE(CheckSizeStamp("??????", 123456789));
}

TEST(SizeStamp, DigitsMustMatchTheFileSize) {
  EXPECT_FALSE(CheckSizeStamp("1234", 1234));
  EXPECT_TRUE(CheckSizeStamp("1234", 1235));
  EXPECT_FALSE(CheckSizeStamp("999999", 999999));
  EXPECT_FALSE(CheckSizeStamp("001234", 1234));
  for (std::string_view bad : {"", " 1234", "12a4", "-1", "+12", "1234567", "0x10"}) {
    auto problem = CheckSizeStamp(bad, 1234);
    ASSERT_TRUE(problem) << bad;
    EXPECT_NE(problem->find("not a number"), std::string::npos);
  }
}

TEST(SizeStamp, FieldHoldsDigitsAndNulsUpTo999999) {
  EXPECT_EQ(SizeStampField(1234), std::string("1234\0\0\0", 7));
  EXPECT_EQ(SizeStampField(999999), std::string("999999\0", 7));
  EXPECT_FALSE(SizeStampField(1000000));
}

std::vector<uint8_t> ImageWithMarker(int copies) {
  // The marker as this test program carries it, read back from its own stamp block.
  std::vector<uint8_t> image(100, 0xAA);
  const std::string marker = "\x7fVELMORANT-SIZE-STAMP->\x01";
  for (int i = 0; i < copies; ++i) {
    image.insert(image.end(), marker.begin(), marker.end());
    const std::string field("??????\0", 7);
    image.insert(image.end(), field.begin(), field.end());
    image.resize(image.size() + 50, 0x55);
  }
  return image;
}

TEST(SizeStamp, EveryValidFieldBehindTheMarkerIsFound) {
  auto one = FindSizeStamps(ImageWithMarker(1));
  EXPECT_EQ(one.offsets, std::vector<size_t>{100u + 24u});
  auto none = FindSizeStamps(ImageWithMarker(0));
  EXPECT_TRUE(none.offsets.empty());
  EXPECT_NE(none.error, "");
  EXPECT_EQ(FindSizeStamps(ImageWithMarker(2)).offsets.size(), 2u);
  // A marker at the very end, with no room for the field, does not count.
  auto cut = ImageWithMarker(1);
  cut.resize(100 + 24 + 3);
  EXPECT_TRUE(FindSizeStamps(cut).offsets.empty());
  // Nor does one followed by something that is not a stamp field.
  auto garbled = ImageWithMarker(1);
  garbled[100 + 24 + 2] = 'x';
  EXPECT_TRUE(FindSizeStamps(garbled).offsets.empty());
}

}  // namespace
}  // namespace velmorant
