#include <gtest/gtest.h>

#include "platform/fs/case_fold.hpp"
#include "platform/fs/codepage.hpp"

namespace velmorant::platform {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(char(b));
  return bytes;
}

TEST(CodePage, EveryByteOfEveryPageRoundTrips) {
  for (int number : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
    SCOPED_TRACE(number);
    std::string error;
    auto page = CodePage::Open(number, &error);
    ASSERT_TRUE(page) << error;
    const std::string utf8 = page->ToUtf8(AllBytes());
    auto back = page->FromUtf8(utf8, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, AllBytes());
  }
}

TEST(CodePage, KnownCharactersAndUndefinedBytes) {
  auto cp1250 = *CodePage::Open(1250);
  EXPECT_EQ(cp1250.ToUtf8("\xa5\xb9\x8c\x9c\xaf\xbf"), "ĄąŚśŻż");
  EXPECT_EQ(cp1250.ToUtf8("\x80"), "€");
  EXPECT_EQ(cp1250.CodePoint(0x81), U'\u0081');  // undefined in 1250
  EXPECT_EQ(cp1250.FromUtf8("Łódź"), std::string("\xa3\xf3\x64\x9f"));
  auto cp1251 = *CodePage::Open(1251);
  EXPECT_EQ(cp1251.ToUtf8("\xc0\xff"), "Ая");
  auto cp874 = *CodePage::Open(874);
  EXPECT_EQ(cp874.ToUtf8("\xa1"), "ก");
}

TEST(CodePage, UnknownPagesAndBadTextAreClearErrors) {
  std::string error;
  EXPECT_FALSE(CodePage::Open(437, &error));
  EXPECT_EQ(error, "unknown code page 437 (known: 874 and 1250 to 1258)");
  EXPECT_FALSE(CodePage::Open(1259));
  auto page = *CodePage::Open(1250);
  EXPECT_FALSE(page.FromUtf8("\xc3", &error));
  EXPECT_EQ(error, "invalid UTF-8 at byte 0");
  EXPECT_FALSE(page.FromUtf8("a\xc0\x80", &error));  // overlong NUL
  EXPECT_EQ(error, "invalid UTF-8 at byte 1");
  EXPECT_FALSE(page.FromUtf8("\xed\xa0\x80"));  // a surrogate
  EXPECT_FALSE(page.FromUtf8("Я", &error));
  EXPECT_EQ(error, "the character U+042F is not in code page 1250");
}

TEST(CodePage, FontCharsetsPickTheirPages) {
  EXPECT_EQ(CodePageForCharset(238, 1251), 1250);
  EXPECT_EQ(CodePageForCharset(204, 1250), 1251);
  EXPECT_EQ(CodePageForCharset(0, 1250), 1252);
  EXPECT_EQ(CodePageForCharset(1, 1257), 1257);
  EXPECT_EQ(CodePageForCharset(256 + 204, 1250), 1251);  // only the low byte counts
  EXPECT_EQ(CodePageForCharset(128, 1250), 1250);        // no single-byte page: the presentation's
}

TEST(CaseFold, LettersOfTheWindowsScriptsFold) {
  EXPECT_EQ(FoldCaseUtf8("ŹRÓDŁO.BMP"), "źródło.bmp");
  EXPECT_EQ(FoldCaseUtf8("ĄĆĘŁŃÓŚŹŻ"), "ąćęłńóśźż");
  EXPECT_EQ(FoldCaseUtf8("ÄÖÜ ŠŽŸ ĞŞİ"), "äöü šžÿ ğşi");
  EXPECT_EQ(FoldCaseUtf8("ΑΒΓ ΆΈΌ ΣΑΣ"), "αβγ άέό σασ");
  EXPECT_EQ(FoldCaseUtf8("ПРИВЕТ ЁЇ"), "привет ёї");
  EXPECT_EQ(FoldCaseUtf8("ß×÷ก\xff"), "ß×÷ก\xff");
}

}  // namespace
}  // namespace velmorant::platform
