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

TEST(SizeStamp, MarkerMustOccurExactlyOnce) {
  auto one = FindSizeStamp(ImageWithMarker(1));
  ASSERT_TRUE(one.offset);
  EXPECT_EQ(*one.offset, 100u + 24u);
  EXPECT_FALSE(FindSizeStamp(ImageWithMarker(0)).offset);
  auto two = FindSizeStamp(ImageWithMarker(2));
  EXPECT_FALSE(two.offset);
  EXPECT_NE(two.error.find("2 times"), std::string::npos);
  // A marker at the very end, with no room for the field, does not count.
  auto cut = ImageWithMarker(1);
  cut.resize(100 + 24 + 3);
  EXPECT_FALSE(FindSizeStamp(cut).offset);
}

}  // namespace
}  // namespace velmorant
