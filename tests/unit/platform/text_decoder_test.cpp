#include "platform/text/text_decoder.hpp"

#include <gtest/gtest.h>

#include "platform/gfx/jpeg_decoder.hpp"
#include "platform/text/utf8.hpp"

namespace velmorant::platform {
namespace {

TEST(TextDecoder, SingleDoubleByteAndMacPages) {
  TextDecoder d;
  EXPECT_EQ(d.Decode("\xb9\x9c\x9f", 1250), U"ąśź");
  EXPECT_EQ(d.Decode("\xcf\xf0", 1251), U"Пр");
  EXPECT_EQ(d.Decode("\xe1\xe2", 1253), U"αβ");
  EXPECT_EQ(d.Decode("\x82\xa0\x41", 932), U"あA");
  EXPECT_EQ(d.Decode("\xc4\xe3", 936), U"你");
  EXPECT_EQ(d.Decode("\x8a", 10000), U"ä");
  EXPECT_EQ(d.Decode("\x80", 437), U"Ç");
  EXPECT_EQ(d.Decode("plain ASCII", 932), U"plain ASCII");
}

TEST(TextDecoder, WhatAPageCannotSayBecomesAReplacement) {
  TextDecoder d;
  // 0x81 is not in 1252; a lead byte at the end has no second half.
  EXPECT_EQ(d.Decode("a\x81z", 1252), U"a\uFFFDz");
  EXPECT_EQ(d.Decode("x\x82", 932), U"x\uFFFD");
  // Pages without a converter read as 1252.
  EXPECT_EQ(d.Decode("\xe9", 12345), U"é");
  EXPECT_EQ(d.Decode("\xe9", -1), U"é");
  EXPECT_EQ(ConverterNameForCodePage(1250), "CP1250");
  EXPECT_EQ(ConverterNameForCodePage(28592), "ISO-8859-2");
  EXPECT_EQ(ConverterNameForCodePage(777777), "");
}

TEST(JpegDecoder, RefusesWhatIsNotAWholeJpeg) {
  for (std::string_view bad : {std::string_view(""), std::string_view("\xff\xd8\xff\xe0"),
                               std::string_view("not a jpeg at all")}) {
    const auto result = DecodeJpeg({reinterpret_cast<const uint8_t*>(bad.data()), bad.size()});
    EXPECT_FALSE(result.has_value());
  }
}

}  // namespace
}  // namespace velmorant::platform
