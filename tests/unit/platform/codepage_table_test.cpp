#include "platform/fs/codepage_table.hpp"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "platform/text/text_decoder.hpp"

namespace velmorant::platform {
namespace {

// The committed tables against this machine's converters, the ones they were made from: a table
// regenerated wrongly, or a converter change on the build machine, shows here.
std::optional<char32_t> ConvertOne(int number, std::string_view bytes) {
  iconv_t cd = iconv_open("UTF-32LE", ("CP" + std::to_string(number)).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char out[16] = {};
  char* in_ptr = const_cast<char*>(bytes.data());
  char* out_ptr = out;
  size_t in_left = bytes.size();
  size_t out_left = sizeof out;
  const bool ok = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != size_t(-1) &&
                  iconv(cd, nullptr, nullptr, &out_ptr, &out_left) != size_t(-1);
  iconv_close(cd);
  if (!ok || sizeof out - out_left != 4) return std::nullopt;
  char32_t c = 0;
  for (int i = 3; i >= 0; --i) c = c << 8 | static_cast<unsigned char>(out[i]);
  return c;
}

TEST(CodePageTable, EveryPageHasATableThatAgreesWithTheConverter) {
  for (int number :
       {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
    SCOPED_TRACE(number);
    const CodePageTable* table = FindCodePageTable(number);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->IsDoubleByte(), number >= 932 && number <= 950);
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<unsigned char>(b);
      if (table->IsLead(byte)) {
        // Every fourth trail keeps the test short; the generator reads them all.
        for (int t = 0; t < 256; t += 4) {
          const char pair[2] = {char(b), char(t)};
          ASSERT_EQ(table->Pair(byte, static_cast<unsigned char>(t)), ConvertOne(number, {pair, 2}))
              << b << " " << t;
        }
      } else {
        const char single = char(b);
        ASSERT_EQ(table->Single(byte), ConvertOne(number, {&single, 1})) << b;
      }
    }
  }
  EXPECT_EQ(FindCodePageTable(437), nullptr);
  EXPECT_EQ(FindCodePageTable(0), nullptr);
}

TEST(CodePageTable, DoubleBytePagesKeepPairsWholeAndReplaceWhatIsBroken) {
  TextDecoder d;
  EXPECT_EQ(d.Decode("\x82\xa0\x82\xa2", 932), U"あい");
  EXPECT_EQ(d.Decode("\xb0\xa1", 949), U"가");
  EXPECT_EQ(d.Decode("\xa4\xa4\xa4\xe5", 950), U"中文");
  EXPECT_EQ(d.Decode("\xb1\xb1\xbe\xa9", 936), U"北京");
  // Half-width katakana are single bytes in 932.
  EXPECT_EQ(d.Decode("\xb1", 932), U"ｱ");
  // A lead byte with a trail no pair has: one replacement, and the trail read on its own.
  EXPECT_EQ(d.Decode("\x82\x20z", 932), U"\uFFFD z");
  EXPECT_EQ(d.Decode("\xa4", 950), U"\uFFFD");
  // Symbol fonts read as 1252; a page nothing converts too.
  EXPECT_EQ(d.Decode("\xe9\x80", 42), U"é€");
  EXPECT_EQ(d.Decode("\x80", 99999), U"€");
}

}  // namespace
}  // namespace velmorant::platform
