#include "platform/gfx/bmp_decoder.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gfx/colour.hpp"
#include "support/bmp_builder.hpp"

namespace velmorant::platform {
namespace {

using testing::BmpSpec;
using testing::BuildBmp;
using testing::PackRows;

constexpr Pixel kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kGrey = 0x808080;
const std::vector<uint32_t> kFourColours = {kRed, kGreen, kBlue, kWhite};

// A 5 x 3 picture (odd width: every depth needs row padding) of palette indices 0..3.
uint32_t IndexAt(int32_t x, int32_t y) {
  return uint32_t(x + y) % 4;
}

Bitmap Decoded(const BmpSpec& wanted) {
  auto result = DecodeBmp(BuildBmp(wanted));
  EXPECT_TRUE(result.has_value()) << (result ? "" : result.error());
  return result ? *result : Bitmap();
}

std::string Refusal(const BmpSpec& wanted) {
  auto result = DecodeBmp(BuildBmp(wanted));
  EXPECT_FALSE(result.has_value());
  return result ? "" : result.error();
}

void ExpectPicture(const Bitmap& b, int32_t w, int32_t h, auto expected) {
  ASSERT_EQ(b.Width(), w);
  ASSERT_EQ(b.Height(), h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) EXPECT_EQ(b.At(x, y), expected(x, y)) << x << "," << y;
  }
}

BmpSpec Indexed(uint16_t bits) {
  BmpSpec s;
  s.width = 5;
  s.height = 3;
  s.bits = bits;
  s.palette = kFourColours;
  s.colours_used = 4;
  s.pixels = PackRows(5, 3, bits, IndexAt);
  return s;
}

TEST(BmpDecoder, IndexedDepthsDecodeThroughThePalette) {
  for (uint16_t bits : {2, 4, 8}) {
    SCOPED_TRACE(bits);
    ExpectPicture(Decoded(Indexed(bits)), 5, 3,
                  [](int32_t x, int32_t y) { return kFourColours[IndexAt(x, y)]; });
  }
}

TEST(BmpDecoder, OneBitMeansThePaletteColoursNotBlackAndWhite) {
  BmpSpec s = Indexed(1);
  s.palette = {kWhite, kBlack};  // white first
  s.colours_used = 2;
  s.pixels = PackRows(5, 3, 1, [](int32_t x, int32_t) { return uint32_t(x % 2); });
  ExpectPicture(Decoded(s), 5, 3, [](int32_t x, int32_t) { return x % 2 ? kBlack : kWhite; });
  s.palette = {kRed, kBlue};
  ExpectPicture(Decoded(s), 5, 3, [](int32_t x, int32_t) { return x % 2 ? kBlue : kRed; });
}

TEST(BmpDecoder, IndicesBeyondAShortPaletteAreBlack) {
  BmpSpec s = Indexed(8);
  s.palette = {kRed, kGreen};
  s.colours_used = 2;
  s.pixels = PackRows(5, 3, 8, [](int32_t x, int32_t) { return uint32_t(x * 60); });
  ExpectPicture(Decoded(s), 5, 3, [](int32_t x, int32_t) { return x == 0 ? kRed : kBlack; });
  // Without a count, a palette cut short by the pixel offset is all there is.
  s.colours_used = 0;
  s.pixels = PackRows(5, 3, 8, [](int32_t x, int32_t) { return uint32_t(x % 3); });
  ExpectPicture(Decoded(s), 5, 3, [](int32_t x, int32_t) {
    return std::vector<Pixel>{kRed, kGreen, kBlack}[size_t(x % 3)];
  });
}

TEST(BmpDecoder, TopDownAndBottomUpGiveTheSamePicture) {
  BmpSpec s = Indexed(8);
  const Bitmap bottom_up = Decoded(s);
  s.height = -3;
  // Top-down rows are stored first-row-first: reverse the packed rows.
  s.pixels = PackRows(5, 3, 8, [](int32_t x, int32_t y) { return IndexAt(x, 2 - y); });
  EXPECT_EQ(Decoded(s), bottom_up);
}

TEST(BmpDecoder, TrueColourDepths) {
  auto colour = [](int32_t x, int32_t y) { return Rgb(uint8_t(40 * x), uint8_t(90 * y), 7); };
  BmpSpec s;
  s.width = 5;
  s.height = 3;
  s.bits = 24;
  s.pixels = PackRows(5, 3, 24, colour);
  ExpectPicture(Decoded(s), 5, 3, colour);
  // 32-bit BI_RGB: the top byte means nothing.
  s.bits = 32;
  s.pixels = PackRows(5, 3, 32, [&](int32_t x, int32_t y) { return colour(x, y) | 0xAB000000u; });
  ExpectPicture(Decoded(s), 5, 3, colour);
}

TEST(BmpDecoder, SixteenBitDefaultIsFiveFiveFiveScaledToFullRange) {
  BmpSpec s;
  s.width = 4;
  s.height = 1;
  s.bits = 16;
  const uint32_t words[] = {0x7FFF, 0xFFFF, 0x001F, 0x4210};  // top bit ignored
  s.pixels = PackRows(4, 1, 16, [&](int32_t x, int32_t) { return words[x]; });
  const Pixel expected[] = {kWhite, kWhite, kBlue, Rgb(132, 132, 132)};
  ExpectPicture(Decoded(s), 4, 1, [&](int32_t x, int32_t) { return expected[x]; });
}

TEST(BmpDecoder, BitfieldMasksInEveryPlace) {
  const uint32_t word = 0xF81F;  // 5-6-5: red and blue full, green 0
  BmpSpec s;
  s.width = 1;
  s.height = 1;
  s.bits = 16;
  s.compression = 3;
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixels = PackRows(1, 1, 16, [&](int32_t, int32_t) { return word; });
  EXPECT_EQ(Decoded(s).At(0, 0), Rgb(255, 0, 255));
  for (uint32_t header : {52u, 56u, 108u, 124u}) {
    SCOPED_TRACE(header);
    s.header_size = header;
    EXPECT_EQ(Decoded(s).At(0, 0), Rgb(255, 0, 255));
  }
  // ALPHABITFIELDS after a 40-byte header: four masks, alpha ignored.
  s.header_size = 40;
  s.bits = 32;
  s.compression = 6;
  s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // R and B swapped
  s.pixels = PackRows(1, 1, 32, [](int32_t, int32_t) { return 0x7F112233u; });
  EXPECT_EQ(Decoded(s).At(0, 0), Rgb(0x33, 0x22, 0x11));
  // Unusual widths are scaled, not shifted: 2 bits of 3 is 170.
  s.compression = 3;
  s.masks = {0x3, 0x3FFC, 0xFFFFC000};
  s.pixels = PackRows(1, 1, 32, [](int32_t, int32_t) { return 0x2u | (0xFFFu << 2); });
  EXPECT_EQ(Decoded(s).At(0, 0), Rgb(170, 255, 0));
}

TEST(BmpDecoder, MasksOfAv5HeaderAreIgnoredWithoutBitfields) {
  BmpSpec s;
  s.header_size = 124;
  s.width = 1;
  s.height = 1;
  s.bits = 32;
  s.masks = {0xFF, 0xFF00, 0xFF0000, 0x80000000};
  s.pixels = PackRows(1, 1, 32, [](int32_t, int32_t) { return 0x80FF0000u; });
  EXPECT_EQ(Decoded(s).At(0, 0), kRed);
}

TEST(BmpDecoder, Os2Headers) {
  BmpSpec s = Indexed(8);
  s.header_size = 12;  // 3-byte palette entries, no colour count
  s.colours_used = 0;
  ExpectPicture(Decoded(s), 5, 3, [](int32_t x, int32_t y) { return kFourColours[IndexAt(x, y)]; });
  s.header_size = 16;
  ExpectPicture(Decoded(s), 5, 3, [](int32_t x, int32_t y) { return kFourColours[IndexAt(x, y)]; });
  s.header_size = 64;
  ExpectPicture(Decoded(s), 5, 3, [](int32_t x, int32_t y) { return kFourColours[IndexAt(x, y)]; });
  s.compression = 3;  // Huffman 1D in OS/2 2.x
  s.bits = 1;
  EXPECT_NE(Refusal(s).find("Huffman"), std::string::npos);
}

TEST(BmpDecoder, PixelOffsetIsHonouredUnlessItPointsIntoTheColourTable) {
  BmpSpec s = Indexed(8);
  const Bitmap plain = Decoded(s);
  BmpSpec gap = s;
  gap.pixel_offset = 14 + 40 + 16 + 10;  // ten unused bytes before the pixels
  EXPECT_EQ(Decoded(gap), plain);
  for (uint32_t offset : {0u, 54u, 60u}) {
    SCOPED_TRACE(offset);
    BmpSpec wrong = s;
    wrong.pixel_offset = offset;
    EXPECT_EQ(Decoded(wrong), plain);
  }
}

TEST(BmpDecoder, RefusesPicturesWithoutPixels) {
  BmpSpec s;
  s.width = 0;
  s.height = 5;
  EXPECT_NE(Refusal(s).find("empty"), std::string::npos);
  s.width = 5;
  s.height = 0;
  EXPECT_NE(Refusal(s).find("empty"), std::string::npos);
  s.width = 0;
  s.height = -INT32_MAX;  // once looped over two billion empty rows
  EXPECT_NE(Refusal(s).find("empty"), std::string::npos);
}

// RLE: stream bytes for a 4 x 3 8-bit picture with the four-colour palette.
BmpSpec Rle8(std::vector<uint8_t> stream, int32_t width = 4, int32_t height = 3) {
  BmpSpec s;
  s.width = width;
  s.height = height;
  s.bits = 8;
  s.compression = 1;
  s.palette = kFourColours;
  s.colours_used = 4;
  s.pixels = std::move(stream);
  return s;
}

// Rows as the picture shows them, top first; '.' is a pixel the stream never drew.
void ExpectRows(const Bitmap& b, const std::vector<std::string>& rows) {
  ASSERT_EQ(b.Height(), int32_t(rows.size()));
  for (int32_t y = 0; y < b.Height(); ++y) {
    ASSERT_EQ(b.Width(), int32_t(rows[size_t(y)].size()));
    for (int32_t x = 0; x < b.Width(); ++x) {
      const char c = rows[size_t(y)][size_t(x)];
      const Pixel want = c == '.' ? kBlack : kFourColours[size_t(c - '0')];
      EXPECT_EQ(b.At(x, y), want) << "x=" << x << " y=" << y;
    }
  }
}

TEST(BmpDecoder, Rle8RunsAbsoluteRunsLineEndsDeltasAndEnd) {
  const std::vector<uint8_t> stream = {
      0, 3, 0, 3, 2, 0,  // absolute run 0 3 2, padded to an even length
      1, 1, 0, 0,        // one 1, end of line
      0, 2, 1, 0,        // delta: one right
      1, 3, 0, 0,        // one 3, end of line
      4, 1, 0, 1,        // four 1s on the top row, end of bitmap
      9, 9,              // ignored
  };
  ExpectRows(Decoded(Rle8(stream)), {"1111", ".3..", "0321"});
}

TEST(BmpDecoder, Rle8ClipsAtTheRightEdgeAndStopsAtTheTop) {
  // A run past the end of line is clipped, never wrapped; a delta off the right edge draws nothing
  // more on that line; codes for rows above the picture are dropped.
  const std::vector<uint8_t> stream = {
      9, 2, 0, 0,              // row 0: run of nine 2s, clipped to four
      0, 5, 1, 1, 1, 1, 1, 0,  // row 1: absolute five 1s, clipped
      0, 2, 9, 0, 3, 3,        // delta off the edge, then three 3s that cannot show
      0, 0, 2, 3, 0, 0,        // row 2: two 3s
      4, 1, 0, 0,              // above the picture
  };
  ExpectRows(Decoded(Rle8(stream)), {"33..", "1111", "2222"});
}

TEST(BmpDecoder, Rle8WithoutEndMarkersKeepsWhatItDrew) {
  ExpectRows(Decoded(Rle8({4, 1, 0, 0, 2, 2})), {"....", "22..", "1111"});
  // An absolute run cut off by the end of the data.
  ExpectRows(Decoded(Rle8({0, 4, 3, 2})), {"....", "....", "32.."});
  ExpectRows(Decoded(Rle8({})), {"....", "....", "...."});
  ExpectRows(Decoded(Rle8({0, 2, 1})), {"....", "....", "...."});  // delta cut short
}

TEST(BmpDecoder, Rle4AlternatesNibbles) {
  BmpSpec s = Rle8({
      5,
      0x12,
      0,
      0,  // 1 2 1 2 1
      0,
      3,
      0x30,
      0x10,
      0,
      0,  // absolute 3 0 1 (two bytes, already even) then end of line
      0,
      1,
  });
  s.width = 5;
  s.height = 2;
  s.bits = 4;
  s.compression = 2;
  ExpectRows(Decoded(s), {"301..", "12121"});
}

TEST(BmpDecoder, RefusesWhatWindowsRefusesOrCannotMeanAnything) {
  const BmpSpec good = Indexed(8);
  auto refused = [&](auto change) {
    BmpSpec s = good;
    change(s);
    return Refusal(s);
  };
  EXPECT_NE(refused([](BmpSpec& s) { s.signature[1] = 'X'; }).find("signature"), std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.signature[1] = 'A'; }).find("array"), std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.header_size = 66; }).find("header size"), std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.planes = 2; }).find("plane"), std::string::npos);
  for (uint16_t bits : {0, 3, 7, 48, 64}) {
    EXPECT_NE(refused([&](BmpSpec& s) { s.bits = bits; }), "") << bits;
  }
  EXPECT_NE(refused([](BmpSpec& s) { s.compression = 4; }).find("JPEG"), std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.compression = 5; }).find("PNG"), std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.compression = 11; }), "");
  EXPECT_NE(refused([](BmpSpec& s) { s.compression = 2; }).find("RLE4"), std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.compression = 3; }).find("BITFIELDS"), std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.compression = 1, s.height = -3; }).find("top-down"),
            std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.width = -5; }).find("width"), std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.height = INT32_MIN; }), "");
  EXPECT_NE(refused([](BmpSpec& s) { s.colours_used = 0x10000000; }).find("colour table"),
            std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.image_size = 100000; }).find("exceeds"), std::string::npos);
  EXPECT_NE(refused([](BmpSpec& s) { s.pixels.pop_back(); }).find("truncated"), std::string::npos);
  std::vector<uint8_t> far_offset = BuildBmp(good);
  far_offset[11] = 0x40;  // pixel offset 0x40xx, past the end of the file
  auto result = DecodeBmp(far_offset);
  ASSERT_FALSE(result);
  EXPECT_NE(result.error().find("past the end"), std::string::npos);
}

TEST(BmpDecoder, RefusesHugeSizesBeforeAllocating) {
  BmpSpec s;
  s.bits = 1;
  s.pixels = {0, 0, 0, 0};
  for (auto [w, h] : {std::pair{INT32_MAX, 6}, {6, INT32_MAX}, {65536, 65536}, {8193, 8192}}) {
    s.width = w;
    s.height = h;
    EXPECT_NE(Refusal(s).find("too large"), std::string::npos) << w << "x" << h;
    EXPECT_FALSE(ReadBmpSize(BuildBmp(s))) << w << "x" << h;
  }
  // Within the pixel limit but far beyond the file: refused from the file size.
  s.width = 8000;
  s.height = 8000;
  EXPECT_NE(Refusal(s).find("truncated"), std::string::npos);
  EXPECT_FALSE(ReadBmpSize(BuildBmp(s)));
  // A few bytes of RLE may claim the whole budget: the size is known without decoding.
  BmpSpec rle;
  rle.width = 8192;
  rle.height = 8192;
  rle.bits = 8;
  rle.compression = 1;
  rle.palette = {0xFFFFFF};
  rle.pixels = {0, 1};
  const auto announced = ReadBmpSize(BuildBmp(rle));
  ASSERT_TRUE(announced) << announced.error();
  EXPECT_EQ(*announced, (Size{8192, 8192}));
}

TEST(BmpDecoder, RefusesUnusableMasks) {
  BmpSpec s;
  s.width = 1;
  s.height = 1;
  s.bits = 16;
  s.compression = 3;
  s.pixels = {0, 0, 0, 0};
  for (std::vector<uint32_t> masks : std::vector<std::vector<uint32_t>>{
           {0xFF00, 0xFF, 0},              // an empty channel
           {0xF00F, 0x0F00, 0x00F0},       // red in two pieces
           {0x1F0000, 0x07E0, 0x001F}}) {  // red outside a 16-bit pixel
    s.masks = masks;
    EXPECT_NE(Refusal(s).find("mask"), std::string::npos);
  }
  s.masks = {0xF800, 0x07E0};  // the file ends inside the masks
  s.pixels.clear();
  EXPECT_NE(Refusal(s), "");
}

// Every prefix of a valid file, and every single-byte change of a small one, is decoded or refused
// without reading outside the buffer (the sanitizer build checks the reads).
TEST(BmpDecoder, SurvivesTruncationAndCorruption) {
  std::vector<std::vector<uint8_t>> files = {
      BuildBmp(Indexed(1)), BuildBmp(Indexed(4)), BuildBmp(Indexed(8)),
      BuildBmp(Rle8({2, 1, 0, 3, 0, 3, 2, 0, 0, 0, 0, 2, 1, 0, 1, 3, 0, 1}))};
  BmpSpec bitfields;
  bitfields.width = 3;
  bitfields.height = 2;
  bitfields.bits = 32;
  bitfields.compression = 3;
  bitfields.header_size = 56;
  bitfields.masks = {0xFF0000, 0xFF00, 0xFF, 0};
  bitfields.pixels = PackRows(3, 2, 32, [](int32_t x, int32_t) { return uint32_t(x) * 0x10101; });
  files.push_back(BuildBmp(bitfields));
  for (const auto& file : files) {
    for (size_t n = 0; n <= file.size(); ++n) {
      (void)DecodeBmp(std::span(file).first(n));
    }
    for (size_t i = 0; i < file.size(); ++i) {
      for (uint8_t v : {uint8_t(0), uint8_t(0x7F), uint8_t(0xFF), uint8_t(file[i] ^ 0x80)}) {
        std::vector<uint8_t> changed = file;
        changed[i] = v;
        auto r = DecodeBmp(changed);
        auto announced = ReadBmpSize(changed);
        ASSERT_EQ(announced.has_value(), r.has_value());
        if (r) {
          EXPECT_LE(int64_t{r->Width()} * r->Height(), kMaxBitmapPixels);
          EXPECT_EQ(*announced, r->GetSize());
        }
      }
    }
  }
}

TEST(BmpDecoder, LoadBmpFileLeavesNamingTheFileToTheCaller) {
  auto missing = LoadBmpFile("/nonexistent/velmorant/picture.bmp");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().find("picture.bmp"), std::string::npos) << missing.error();
}

}  // namespace
}  // namespace velmorant::platform
