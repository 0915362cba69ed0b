// Every BMP of the shared corpus is either decoded to the right picture or refused with an error.
// Files marked invalid in the corpus notes that Windows still draws unambiguously are decoded; the
// table says why.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/gfx/file_bytes.hpp"
#include "support/corpus_dir.hpp"

namespace velmorant::platform {
namespace {

constexpr int32_t kRefused = -1;

struct Expected {
  const char* file;
  int32_t width;
  int32_t height = 0;
};

const Expected kFiles[] = {
    {"androidx_non-motion-photo-shortened-cropped.bmp", 176, 98},
    {"bmpsuite_b_badbitcount.bmp", kRefused},
    {"bmpsuite_b_badbitssize.bmp", kRefused},
    {"bmpsuite_b_baddens1.bmp", 127, 64},     // marked invalid: density is not used for drawing
    {"bmpsuite_b_baddens2.bmp", 127, 64},     // marked invalid: density is not used for drawing
    {"bmpsuite_b_badfilesize.bmp", 127, 64},  // marked invalid: the file size field is not used
    {"bmpsuite_b_badheadersize.bmp", kRefused},
    {"bmpsuite_b_badpalettesize.bmp", kRefused},
    {"bmpsuite_b_badplanes.bmp", kRefused},
    {"bmpsuite_b_badrle.bmp", 127, 64},      // marked invalid: runs past the line end are clipped
    {"bmpsuite_b_badrle4.bmp", 127, 64},     // marked invalid: runs past the line end are clipped
    {"bmpsuite_b_badrle4bis.bmp", 127, 64},  // marked invalid: deltas past the line end are clipped
    {"bmpsuite_b_badrle4ter.bmp", 127, 64},  // marked invalid: deltas past the line end are clipped
    {"bmpsuite_b_badrlebis.bmp", 127, 64},   // marked invalid: deltas past the line end are clipped
    {"bmpsuite_b_badrleter.bmp", 127, 64},   // marked invalid: deltas past the line end are clipped
    {"bmpsuite_b_badwidth.bmp", kRefused},
    {"bmpsuite_b_pal8badindex.bmp", 127,
     64},  // marked invalid: indices beyond the palette are black
    {"bmpsuite_b_reallybig.bmp", kRefused},
    {"bmpsuite_b_rgb16-880.bmp", kRefused},
    {"bmpsuite_b_rletopdown.bmp", kRefused},
    {"bmpsuite_b_shortfile.bmp", kRefused},
    {"bmpsuite_g_pal1.bmp", 127, 64},
    {"bmpsuite_g_pal1bg.bmp", 127, 64},
    {"bmpsuite_g_pal1wb.bmp", 127, 64},
    {"bmpsuite_g_pal4.bmp", 127, 64},
    {"bmpsuite_g_pal4gs.bmp", 127, 64},
    {"bmpsuite_g_pal4rle.bmp", 127, 64},
    {"bmpsuite_g_pal8-0.bmp", 127, 64},
    {"bmpsuite_g_pal8.bmp", 127, 64},
    {"bmpsuite_g_pal8gs.bmp", 127, 64},
    {"bmpsuite_g_pal8nonsquare.bmp", 127, 32},
    {"bmpsuite_g_pal8os2.bmp", 127, 64},
    {"bmpsuite_g_pal8rle.bmp", 127, 64},
    {"bmpsuite_g_pal8topdown.bmp", 127, 64},
    {"bmpsuite_g_pal8v4.bmp", 127, 64},
    {"bmpsuite_g_pal8v5.bmp", 127, 64},
    {"bmpsuite_g_pal8w124.bmp", 124, 61},
    {"bmpsuite_g_pal8w125.bmp", 125, 62},
    {"bmpsuite_g_pal8w126.bmp", 126, 63},
    {"bmpsuite_g_rgb16-565.bmp", 127, 64},
    {"bmpsuite_g_rgb16-565pal.bmp", 127, 64},
    {"bmpsuite_g_rgb16.bmp", 127, 64},
    {"bmpsuite_g_rgb16bfdef.bmp", 127, 64},
    {"bmpsuite_g_rgb24.bmp", 127, 64},
    {"bmpsuite_g_rgb24pal.bmp", 127, 64},
    {"bmpsuite_g_rgb32.bmp", 127, 64},
    {"bmpsuite_g_rgb32bf.bmp", 127, 64},
    {"bmpsuite_g_rgb32bfdef.bmp", 127, 64},
    {"bmpsuite_q_pal1huffmsb.bmp", kRefused},
    {"bmpsuite_q_pal1p1.bmp", 127, 64},
    {"bmpsuite_q_pal2.bmp", 127, 64},
    {"bmpsuite_q_pal2color.bmp", 127, 64},
    {"bmpsuite_q_pal4rlecut.bmp", 127, 64},
    {"bmpsuite_q_pal4rletrns.bmp", 127, 64},
    {"bmpsuite_q_pal8offs.bmp", 127, 64},
    {"bmpsuite_q_pal8os2-hs.bmp", 127, 64},
    {"bmpsuite_q_pal8os2-sz.bmp", 127, 64},
    {"bmpsuite_q_pal8os2sp.bmp", 127, 64},
    {"bmpsuite_q_pal8os2v2-16.bmp", 127, 64},
    {"bmpsuite_q_pal8os2v2-40sz.bmp", 127, 64},
    {"bmpsuite_q_pal8os2v2-sz.bmp", 127, 64},
    {"bmpsuite_q_pal8os2v2.bmp", 127, 64},
    {"bmpsuite_q_pal8oversizepal.bmp", 127, 64},
    {"bmpsuite_q_pal8rlecut.bmp", 127, 64},
    {"bmpsuite_q_pal8rletrns.bmp", 127, 64},
    {"bmpsuite_q_rgb16-231.bmp", 127, 64},
    {"bmpsuite_q_rgb16-3103.bmp", 127, 64},
    {"bmpsuite_q_rgb16faketrns.bmp", 127, 64},
    {"bmpsuite_q_rgb24jpeg.bmp", kRefused},
    {"bmpsuite_q_rgb24largepal.bmp", 127, 64},
    {"bmpsuite_q_rgb24lprof.bmp", 127, 64},
    {"bmpsuite_q_rgb24png.bmp", kRefused},
    {"bmpsuite_q_rgb24rle24.bmp", kRefused},
    {"bmpsuite_q_rgb32-111110.bmp", 127, 64},
    {"bmpsuite_q_rgb32-7187.bmp", 127, 64},
    {"bmpsuite_q_rgb32-xbgr.bmp", 127, 64},
    {"bmpsuite_q_rgb32fakealpha.bmp", 127, 64},
    {"bmpsuite_q_rgb32h52.bmp", 127, 64},
    {"bmpsuite_q_rgba16-1924.bmp", 127, 64},
    {"bmpsuite_q_rgba16-4444.bmp", 127, 64},
    {"bmpsuite_q_rgba16-5551.bmp", 127, 64},
    {"bmpsuite_q_rgba32-1.bmp", 127, 64},
    {"bmpsuite_q_rgba32-1010102.bmp", 127, 64},
    {"bmpsuite_q_rgba32-2.bmp", 127, 64},
    {"bmpsuite_q_rgba32-61754.bmp", 127, 64},
    {"bmpsuite_q_rgba32-81284.bmp", 127, 64},
    {"bmpsuite_q_rgba32abf.bmp", 127, 64},
    {"bmpsuite_q_rgba32h56.bmp", 127, 64},
    {"bmpsuite_q_rgba64.bmp", kRefused},
    {"bmpsuite_x_ba-bm.bmp", kRefused},
    {"corkami_mini_bmp.bmp", 13, 7},
    {"exiftool_BMP.bmp", 8, 8},
    {"filescraper_invalid__unsupported_format.bmp", 1, 1},  // marked invalid: a well-formed v5 file
    {"imagers_Bad_clrsUsed.bmp", kRefused},
    {"imagers_Bad_height.bmp", kRefused},
    {"imagers_Bad_unusual_extend_buffer_usage.bmp", kRefused},
    {"imagers_Bad_width.bmp", kRefused},
    {"imagers_Core_1_Bit.bmp", 435, 353},
    {"imagers_Core_4_Bit.bmp", 435, 353},
    {"imagers_Core_8_Bit.bmp", 435, 353},
    {"imagers_Info_1_Bit.bmp", 6, 6},
    {"imagers_Info_1_Bit_Top_Down.bmp", 6, 6},
    {"imagers_Info_4_Bit.bmp", 6, 6},
    {"imagers_Info_4_Bit_Top_Down.bmp", 6, 6},
    {"imagers_Info_8_Bit.bmp", 6, 6},
    {"imagers_Info_8_Bit_Top_Down.bmp", 6, 6},
    {"imagers_Info_A8_R8_G8_B8.bmp", 6, 6},
    {"imagers_Info_A8_R8_G8_B8_Top_Down.bmp", 6, 6},
    {"imagers_Info_R8_G8_B8.bmp", 6, 6},
    {"imagers_Info_R8_G8_B8_Top_Down.bmp", 6, 6},
    {"imagers_Info_X1_R5_G5_B5.bmp", 6, 6},
    {"imagers_Info_X1_R5_G5_B5_Top_Down.bmp", 6, 6},
    {"imagers_V3_A1_R5_G5_B5.bmp", 6, 6},
    {"imagers_V3_A1_R5_G5_B5_Top_Down.bmp", 6, 6},
    {"imagers_V3_A4_R4_G4_B4.bmp", 6, 6},
    {"imagers_V3_A4_R4_G4_B4_Top_Down.bmp", 6, 6},
    {"imagers_V3_R5_G6_B5.bmp", 6, 6},
    {"imagers_V3_R5_G6_B5_Top_Down.bmp", 6, 6},
    {"imagers_V3_X4_R4_G4_B4.bmp", 6, 6},
    {"imagers_V3_X4_R4_G4_B4_Top_Down.bmp", 6, 6},
    {"imagers_V3_X8_R8_G8_B8.bmp", 6, 6},
    {"imagers_V3_X8_R8_G8_B8_Top_Down.bmp", 6, 6},
    {"imagers_V4_24_Bit.bmp", 435, 353},
    {"imagers_V4_A8_R8_G8_B8.bmp", 16, 16},
    {"imagers_V4_R5_G6_B5.bmp", 16, 16},
    {"imagers_V5_24_Bit.bmp", 435, 353},
    {"imagers_V5_A1_R5_G5_B5.bmp", 16, 16},
    {"imagers_V5_A8_R8_G8_B8_Rgb.bmp", 32, 32},
    {"imagers_V5_A8_R8_G8_B8_Rgb_BadMask.bmp", 4, 4},  // marked invalid: BI_RGB ignores the masks
    {"imagers_imagemagick_invalid_run_length_issue_2321.bmp", 25,
     22},                                // marked invalid: runs past the line end are clipped
    {"imagers_rle_overflow.bmp", 2, 2},  // marked invalid: runs past the line end are clipped
    {"imagers_windows_dibv5_clipboard_dump.bin", kRefused},
    {"pillow_clipboard.dib", kRefused},
    {"pillow_eps_1.bmp", 100, 67},
    {"pillow_hopper.bmp", 128, 128},
    {"pillow_hopper_rle8.bmp", 128, 128},
    {"pillow_hopper_rle8_grayscale.bmp", 256, 10},
    {"pillow_hopper_rle8_row_overflow.bmp", 128,
     128},  // marked invalid: runs past the line end are clipped
    {"pillow_l2rgb_read.bmp", kRefused},
    {"pillow_mmap_error.bmp", kRefused},
    {"pillow_rgb32bf-abgr.bmp", 127, 64},
    {"pillow_rgb32bf-rgba.bmp", 127, 64},
    {"small_bmp.bmp", 1, 1},
    {"winv1_ddb_1bpp_2colors.bmp", kRefused},
    {"winv1_ddb_4bpp_16colors.bmp", kRefused},
    {"winv1_ddb_8bpp_256colors.bmp", kRefused},
};

class BmpCorpus : public test::CorpusTest {
 protected:
  BmpCorpus() : CorpusTest("bmp") {}

  DecodeResult<Bitmap> Load(const std::string& name) const { return LoadBmpFile(File(name)); }

  Bitmap Picture(const std::string& name) const {
    auto r = Load(name);
    EXPECT_TRUE(r.has_value()) << name << ": " << (r ? "" : r.error());
    return r ? *r : Bitmap();
  }
};

TEST_F(BmpCorpus, EveryFileDecodesToItsSizeOrIsRefused) {
  std::set<std::string> listed;
  for (const Expected& e : kFiles) {
    SCOPED_TRACE(e.file);
    listed.insert(e.file);
    auto r = Load(e.file);
    // The size from the headers alone is what decoding gives, refusals included.
    const auto bytes = ReadFileBytes(Dir() / e.file, kMaxBmpFileBytes);
    ASSERT_TRUE(bytes);
    const auto announced = ReadBmpSize(*bytes);
    EXPECT_EQ(announced.has_value(), r.has_value());
    if (e.width == kRefused) {
      EXPECT_FALSE(r.has_value());
      // The caller's warning names the file; the reason does not repeat it.
      if (!r) {
        EXPECT_EQ(r.error().find(e.file), std::string::npos) << r.error();
      }
      continue;
    }
    ASSERT_TRUE(r.has_value()) << r.error();
    EXPECT_EQ(r->Width(), e.width);
    EXPECT_EQ(r->Height(), e.height);
    if (announced) {
      EXPECT_EQ(*announced, r->GetSize());
    }
  }
  // A file added to the corpus must be added to the table.
  for (const auto& entry : std::filesystem::directory_iterator(Dir())) {
    EXPECT_TRUE(listed.count(entry.path().filename().string())) << entry.path();
  }
}

// The bmpsuite picture at ten points, as each representative file stores it.
constexpr std::array<std::pair<int32_t, int32_t>, 10> kPoints = {{{0, 0},
                                                                  {126, 0},
                                                                  {0, 63},
                                                                  {126, 63},
                                                                  {30, 32},
                                                                  {60, 32},
                                                                  {10, 5},
                                                                  {100, 50},
                                                                  {20, 20},
                                                                  {40, 10}}};
using Colours = std::array<Pixel, 10>;

const std::map<std::string, Colours> kKnownColours = {
    {"g_rgb24",
     {0xFF0000, 0x9F9FBD, 0x000000, 0x60607E, 0xFFFFFF, 0xE67DE6, 0xEB5252, 0x6D6D71, 0xAEA5A5,
      0x42D742}},
    {"g_pal8",
     {0xFF0000, 0x99AACC, 0x000000, 0x665566, 0xFFFFFF, 0xFF80FF, 0xCC5533, 0x668066, 0xCCAACC,
      0x66D566}},
    {"g_pal4",
     {0xFF0000, 0xFF80FF, 0x000000, 0x000000, 0xFFFFFF, 0xFF80FF, 0xFF0000, 0x008000, 0xFFFFFF,
      0x00FF00}},
    {"g_pal1",
     {0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF,
      0xFFFFFF}},
    {"g_pal1bg",
     {0x40FF40, 0x40FF40, 0x4040FF, 0x4040FF, 0x40FF40, 0x40FF40, 0x4040FF, 0x4040FF, 0x40FF40,
      0x40FF40}},
    {"q_pal2",
     {0xAAAAAA, 0xAAAAAA, 0x000000, 0x555555, 0xFFFFFF, 0xAAAAAA, 0x555555, 0xAAAAAA, 0xAAAAAA,
      0xFFFFFF}},
    {"g_pal4gs",
     {0x8B8B8B, 0xA2A2A2, 0x000000, 0x5D5D5D, 0xFFFFFF, 0xB9B9B9, 0x8B8B8B, 0x747474, 0xB9B9B9,
      0xB9B9B9}},
    {"g_pal8gs",
     {0x808080, 0xA2A2A2, 0x000000, 0x636363, 0xFFFFFF, 0xA5A5A5, 0x878787, 0x6E6E6E, 0xA7A7A7,
      0xBCBCBC}},
    {"q_rgba32-1",
     {0xFF0000, 0x9F9FBD, 0x000000, 0x60607E, 0xFF0000, 0xE67DE6, 0xEB5252, 0x6D6D71, 0xAEA5A5,
      0x42D742}},
};

std::string Suite(const std::string& name) {
  return "bmpsuite_" + name + ".bmp";
}

TEST_F(BmpCorpus, BmpsuitePicturesHaveTheirKnownColours) {
  for (const auto& [name, colours] : kKnownColours) {
    SCOPED_TRACE(name);
    const Bitmap b = Picture(Suite(name));
    for (size_t i = 0; i < kPoints.size(); ++i) {
      EXPECT_EQ(b.Get(kPoints[i].first, kPoints[i].second), colours[i]) << "point " << i;
    }
  }
}

int MaxChannelDifference(const Bitmap& a, const Bitmap& b) {
  if (a.GetSize() != b.GetSize()) return 256;
  int worst = 0;
  for (int32_t y = 0; y < a.Height(); ++y) {
    for (int32_t x = 0; x < a.Width(); ++x) {
      for (int shift : {0, 8, 16}) {
        const int d = int((a.At(x, y) >> shift) & 0xFF) - int((b.At(x, y) >> shift) & 0xFF);
        worst = std::max(worst, std::abs(d));
      }
    }
  }
  return worst;
}

// Variants of one picture in other headers, depths, orders and compressions.
TEST_F(BmpCorpus, VariantsOfAPictureDecodeAlike) {
  struct Family {
    std::string reference;
    std::vector<std::string> members;
    int tolerance;  // per channel: what fewer bits per channel can hold
  };
  const Family families[] = {
      {"g_rgb24",
       {"g_rgb24pal", "q_rgb24largepal", "q_rgb24lprof", "g_rgb32", "g_rgb32bf", "g_rgb32bfdef",
        "q_rgb32-xbgr", "q_rgb32fakealpha", "q_rgb32h52"},
       0},
      {"g_rgb24", {"q_rgb32-111110", "q_rgb32-7187"}, 1},
      {"g_rgb24",
       {"g_rgb16", "g_rgb16bfdef", "q_rgb16faketrns", "g_rgb16-565", "g_rgb16-565pal"},
       4},
      {"g_pal8",
       {"g_pal8-0", "g_pal8os2", "g_pal8rle", "g_pal8topdown", "g_pal8v4", "g_pal8v5", "q_pal8offs",
        "q_pal8os2-hs", "q_pal8os2-sz", "q_pal8os2sp", "q_pal8os2v2-16", "q_pal8os2v2-40sz",
        "q_pal8os2v2-sz", "q_pal8os2v2", "q_pal8oversizepal"},
       0},
      {"g_pal4", {"g_pal4rle"}, 0},
      {"g_pal1", {"g_pal1wb", "b_baddens1", "b_baddens2", "b_badfilesize"}, 0},
      {"q_rgba32-1",
       {"q_rgba32-2", "q_rgba32abf", "q_rgba32h56", "q_rgba32-81284", "q_rgba32-1010102"},
       0},
      {"q_rgba32-1", {"q_rgba32-61754", "q_rgba16-4444"}, 8},
  };
  for (const Family& f : families) {
    const Bitmap reference = Picture(Suite(f.reference));
    for (const std::string& m : f.members) {
      EXPECT_LE(MaxChannelDifference(reference, Picture(Suite(m))), f.tolerance) << m;
    }
  }
  EXPECT_EQ(Picture("pillow_hopper_rle8_row_overflow.bmp"), Picture("pillow_hopper_rle8.bmp"));
  EXPECT_EQ(Picture("imagers_V5_24_Bit.bmp"), Picture("imagers_V4_24_Bit.bmp"));
  EXPECT_EQ(Picture("pillow_rgb32bf-abgr.bmp"), Picture(Suite("g_rgb24")));
}

TEST_F(BmpCorpus, TopDownCopiesMatchTheirBottomUpOriginals) {
  for (const char* name : {"Info_1_Bit", "Info_4_Bit", "Info_8_Bit", "Info_A8_R8_G8_B8",
                           "Info_R8_G8_B8", "Info_X1_R5_G5_B5", "V3_A1_R5_G5_B5", "V3_A4_R4_G4_B4",
                           "V3_R5_G6_B5", "V3_X4_R4_G4_B4", "V3_X8_R8_G8_B8"}) {
    const std::string base = std::string("imagers_") + name;
    EXPECT_EQ(Picture(base + ".bmp"), Picture(base + "_Top_Down.bmp")) << name;
  }
}

// Pixels a picture leaves undefined (skipped by RLE deltas and early ends, or indices beyond the
// palette) are black; every other pixel is the full picture's.
TEST_F(BmpCorpus, UndefinedPixelsAreBlackAndTheRestIsIntact) {
  const std::pair<const char*, const char*> cut[] = {{"g_pal4", "q_pal4rletrns"},
                                                     {"g_pal4", "q_pal4rlecut"},
                                                     {"g_pal8", "q_pal8rletrns"},
                                                     {"g_pal8", "q_pal8rlecut"},
                                                     {"g_pal8", "b_pal8badindex"}};
  for (const auto& [full_name, partial_name] : cut) {
    SCOPED_TRACE(partial_name);
    const Bitmap full = Picture(Suite(full_name));
    const Bitmap partial = Picture(Suite(partial_name));
    ASSERT_EQ(full.GetSize(), partial.GetSize());
    int64_t black = 0;
    for (int32_t y = 0; y < full.Height(); ++y) {
      for (int32_t x = 0; x < full.Width(); ++x) {
        if (partial.At(x, y) != full.At(x, y)) {
          EXPECT_EQ(partial.At(x, y), kBlack) << x << "," << y;
          ++black;
        }
      }
    }
    EXPECT_GT(black, 100);
  }
}

TEST_F(BmpCorpus, SmallFilesExactly) {
  // 2 x 2 RLE8 (palette blue, red) whose absolute run 0 1 0 is clipped to the bottom line; the
  // end of bitmap leaves the top line undrawn.
  const Bitmap overflow = Picture("imagers_rle_overflow.bmp");
  EXPECT_EQ(overflow.At(0, 1), 0x0000FFu);
  EXPECT_EQ(overflow.At(1, 1), 0xFF0000u);
  EXPECT_EQ(overflow.At(0, 0), kBlack);
  EXPECT_EQ(overflow.At(1, 0), kBlack);
  EXPECT_EQ(Picture("imagers_V5_A8_R8_G8_B8_Rgb_BadMask.bmp"), Bitmap(4, 4, 0xFF0000));
  EXPECT_EQ(Picture("filescraper_invalid__unsupported_format.bmp"), Bitmap(1, 1, kWhite));
  EXPECT_EQ(Picture(Suite("q_pal1p1")), Bitmap(127, 64, 0x4040FF));  // one colour, all index 0
}

}  // namespace
}  // namespace velmorant::platform
