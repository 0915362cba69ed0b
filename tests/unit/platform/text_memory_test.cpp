// What rich text takes of the memory budget: the view's picture, a document's pictures, faces
// and glyphs, each charged or bounded before it is allocated.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/colour.hpp"
#include "platform/gfx/png_writer.hpp"
#include "platform/memory_budget.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/glyph_cache.hpp"
#include "platform/text/rich_fonts.hpp"
#include "platform/text/rich_layout.hpp"
#include "platform/text/rich_text_view.hpp"
#include "platform/text/rtf_picture.hpp"
#include "platform/text/rtf_reader.hpp"
#include "support/bmp_builder.hpp"
#include "support/rtf_hex.hpp"

namespace velmorant::platform {
namespace {

std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

RichDocument Read(const std::string& rtf, MemoryBudget* memory = nullptr) {
  RtfOptions options;
  options.memory = memory;
  auto doc = ReadRtf(Bytes(rtf), options);
  EXPECT_TRUE(doc.has_value());
  return doc ? std::move(*doc) : RichDocument{};
}

RichDocument Lines(int count) {
  std::string rtf = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  for (int i = 0; i < count; ++i) rtf += "line " + std::to_string(i) + "\\par ";
  return Read(rtf + "}");
}

uint64_t Pixels(int64_t width, int64_t height) {
  return uint64_t(width * height) * sizeof(Pixel);
}

TEST(TextViewMemory, PictureIsChargedAndOneTooLargeShowsNothingWarnedOnce) {
  FontEngine engine;
  MemoryBudget memory;
  RichTextView view(engine, nullptr, nullptr, &memory);
  std::vector<std::string> warnings;
  view.on_refused = [&](const std::string& why) { warnings.push_back(why); };
  view.SetDocument(Lines(40));
  view.SetBounds({10, 20, 210, 120});
  view.SetVisible(true);
  EXPECT_EQ(view.Picture().GetSize(), (Size{200, 100}));
  EXPECT_EQ(memory.Used(), Pixels(200, 100));

  // Another holder leaves too little for a larger view: it shows nothing, and the old
  // picture's charge has gone with it.
  auto other = memory.Reserve(1000);
  memory.SetLimit(Pixels(400, 300) + 500);
  view.SetBounds({0, 0, 400, 300});
  Bitmap screen(500, 400, kBlack);
  const Bitmap before = screen;
  for (int i = 0; i < 3; ++i) {
    view.PaintOnto(screen);
    view.ScrollLines(2);
    view.Select(0, 5);
  }
  EXPECT_TRUE(view.Picture().IsEmpty());
  EXPECT_EQ(screen, before);
  EXPECT_EQ(memory.Used(), 1000u);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("memory budget"), std::string::npos) << warnings[0];

  // Once the budget has room again the view is drawn.
  other.reset();
  view.PaintOnto(screen);
  EXPECT_EQ(view.Picture().GetSize(), (Size{400, 300}));
  EXPECT_NE(screen, before);
  EXPECT_EQ(memory.Used(), Pixels(400, 300));
  EXPECT_EQ(warnings.size(), 1u);
}

TEST(TextViewMemory, TenTimesTheScreenIsRefusedWithoutAnyBudgetToo) {
  // W = H = 1000 % on a 1024 x 768 screen: more pixels than any picture may have.
  FontEngine engine;
  MemoryBudget memory;
  for (MemoryBudget* budget : {&memory, static_cast<MemoryBudget*>(nullptr)}) {
    RichTextView view(engine, nullptr, nullptr, budget);
    int warnings = 0;
    view.on_refused = [&](const std::string&) { ++warnings; };
    view.SetDocument(Lines(3));
    view.SetBounds({0, 0, 10240, 7680});
    view.SetVisible(true);
    Bitmap screen(1024, 768, kBlack);
    view.PaintOnto(screen);
    view.ScrollTo(5);
    view.PaintOnto(screen);
    EXPECT_EQ(screen, Bitmap(1024, 768, kBlack));
    EXPECT_EQ(warnings, 1);
  }
  EXPECT_EQ(memory.Used(), 0u);
}

std::vector<uint8_t> Dib(int32_t width, int32_t height, bool with_pixels) {
  testing::BmpSpec dib;
  dib.width = width;
  dib.height = height;
  dib.bits = 24;
  if (with_pixels) {
    dib.pixels = testing::PackRows(width, height, 24, [](int32_t, int32_t) { return 0xFF0000u; });
  }
  std::vector<uint8_t> bytes = testing::BuildBmp(dib);
  bytes.erase(bytes.begin(), bytes.begin() + 14);
  return bytes;
}

RtfPictureData PngShownAt(int32_t side_px) {
  RtfPictureData data;
  data.format = RtfPictureData::Format::kPng;
  data.bytes = EncodePng(Bitmap(4, 4, 0x00FF00));
  data.goal_width = data.goal_height = side_px * 15;
  return data;
}

TEST(RtfPictureMemory, ClaimedAndShownSizesAreCheckedBeforeDecoding) {
  MemoryBudget memory;
  // A DIB whose header claims 8192 x 8192 over no pixels is refused by its header.
  RtfPictureData huge;
  huge.format = RtfPictureData::Format::kDib;
  huge.bytes = Dib(8192, 8192, false);
  EXPECT_EQ(DecodeRtfPicture(huge, {&memory, kMaxRtfPicturePixels}), nullptr);

  // A picture is charged at its shown size, and holds the charge.
  auto shown = DecodeRtfPicture(PngShownAt(64), {&memory, kMaxRtfPicturePixels});
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->GetSize(), (Size{64, 64}));
  EXPECT_EQ(shown->At(63, 63), 0x00FF00u);
  EXPECT_EQ(memory.Used(), Pixels(64, 64));
  shown.reset();
  EXPECT_EQ(memory.Used(), 0u);

  // Past what the document's pictures have left, or the budget, nothing is made.
  EXPECT_EQ(DecodeRtfPicture(PngShownAt(64), {&memory, 64 * 64 - 1}), nullptr);
  memory.SetLimit(Pixels(64, 64) - 1);
  EXPECT_EQ(DecodeRtfPicture(PngShownAt(64), {&memory, kMaxRtfPicturePixels}), nullptr);
  RtfPictureData dib;
  dib.format = RtfPictureData::Format::kDib;
  dib.bytes = Dib(200, 200, true);
  EXPECT_EQ(DecodeRtfPicture(dib, {&memory, kMaxRtfPicturePixels}), nullptr);
  EXPECT_EQ(memory.Used(), 0u);
  memory.SetLimit(kMemoryBudgetBytes);
  auto own_size = DecodeRtfPicture(dib, {&memory, kMaxRtfPicturePixels});
  ASSERT_NE(own_size, nullptr);
  EXPECT_EQ(own_size->At(0, 0), 0xFF0000u);
  EXPECT_EQ(memory.Used(), Pixels(200, 200));
}

TEST(RtfPictureMemory, DocumentKeepsThePicturesTheBudgetHasRoomFor) {
  MemoryBudget memory;
  memory.SetLimit(Pixels(64, 64) * 3 + 100);
  std::string rtf = "{\\rtf1 ";
  const std::string png = fixtures::RtfHex(EncodePng(Bitmap(4, 4, 0x0000FF)));
  for (int i = 0; i < 10; ++i) rtf += "{\\pict\\pngblip\\picwgoal960\\pichgoal960 " + png + "}";
  {
    const RichDocument doc = Read(rtf + "}", &memory);
    EXPECT_EQ(doc.pictures.size(), 3u);
    EXPECT_EQ(memory.Used(), Pixels(64, 64) * 3);
  }
  EXPECT_EQ(memory.Used(), 0u);
}

TEST(RtfPictureMemory, JpegSizeComesFromItsFrameHeader) {
  // SOI, an APP0 segment, fill bytes, then a baseline frame of 300 x 20.
  const std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x00, 0x00,
                                     0xFF, 0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x14,
                                     0x01, 0x2C, 0x01, 0x01, 0x11, 0x00};
  EXPECT_EQ(ReadJpegSize(jpeg), (Size{300, 20}));
  // Scan data before any frame, a cut header and a Huffman table are not sizes.
  EXPECT_EQ(ReadJpegSize(std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02}), std::nullopt);
  EXPECT_EQ(ReadJpegSize(std::span(jpeg).first(15)), std::nullopt);
  EXPECT_EQ(ReadJpegSize(std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xC4, 0x00, 0x07, 0x08, 0x00, 0x14,
                                              0x01, 0x2C}),
            std::nullopt);
}

TEST(FontSharing, ThousandsOfTableFontsShareTheFilesAndFacesTheyMatch) {
  FontEngine engine;
  std::string rtf = "{\\rtf1{\\fonttbl";
  constexpr int kFonts = 300;
  for (int i = 0; i < kFonts; ++i) {
    rtf += "{\\f" + std::to_string(i) + " Nowhere Face " + std::to_string(i) + ";}";
  }
  rtf += "}";
  for (int i = 0; i < kFonts; ++i) rtf += "\\f" + std::to_string(i) + " a";
  rtf += "\\f0\\ul under\\ulnone}";
  const RichDocument doc = Read(rtf);
  RichFonts fonts(engine, doc);
  const RichLayout layout(doc, fonts, 400);
  const FontEngine::Held held = engine.HeldNow();
  EXPECT_GE(held.files, 1u);
  EXPECT_LE(held.files, 2u);
  EXPECT_LE(held.faces, 2u);
  // Names no font answers to share one question; a family that is there is still found.
  FontRequest there;
  there.name = "DejaVu Serif";
  there.size_points = 12;
  EXPECT_EQ(engine.CreateFont(there).FamilyName(), "DejaVu Serif");
  there.name = "dejavuSERIF";
  EXPECT_EQ(engine.CreateFont(there).FamilyName(), "DejaVu Serif");

  // A shared face keeps each font's own underline.
  FontRequest plain;
  plain.name = "Arial";
  plain.size_points = 12;
  FontRequest underlined = plain;
  underlined.underline = true;
  const Font a = engine.CreateFont(plain);
  const Font b = engine.CreateFont(underlined);
  EXPECT_EQ(a.Face(), b.Face());
  EXPECT_FALSE(a.Underlined());
  EXPECT_TRUE(b.Underlined());
}

TEST(GlyphMemory, GlyphsOfAllSizesStayWithinTheBudgetAndDrawTheSame) {
  FontEngine engine;
  MemoryBudget memory;
  engine.ChargeGlyphsTo(memory);
  constexpr uint64_t kLimit = uint64_t{256} << 10;
  memory.SetLimit(kLimit);
  FontRequest wanted;
  wanted.name = "Arial";
  wanted.size_points = 30;
  const Font first = engine.CreateFont(wanted);
  const std::shared_ptr<const Glyph> before = first.GlyphFor(U'g');
  ASSERT_NE(before, nullptr);
  const std::u32string letters = U"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::vector<Font> sizes;
  for (int points = 10; points < 70; ++points) {
    wanted.size_points = points;
    wanted.bold = points % 2 == 0;
    sizes.push_back(engine.CreateFont(wanted));
    for (char32_t c : letters) {
      // Laid out from the outline alone, drawn from the rendered glyph: the same advance.
      const int32_t advance = sizes.back().Advance(c);
      const auto glyph = sizes.back().GlyphFor(c);
      ASSERT_NE(glyph, nullptr);
      EXPECT_EQ(glyph->advance, advance);
    }
    EXPECT_LE(memory.Used(), kLimit);
    EXPECT_LE(engine.HeldNow().glyph_bytes, kLimit);
  }
  EXPECT_GT(engine.HeldNow().glyph_bytes, 0u);
  // The first size, set up again on its file after all the others, draws as it did.
  const auto again = first.GlyphFor(U'g');
  EXPECT_EQ(again->ink, before->ink);
  EXPECT_EQ(again->advance, before->advance);
  EXPECT_EQ(again->left, before->left);
  EXPECT_EQ(again->top, before->top);
  sizes.clear();
  EXPECT_EQ(engine.HeldNow().faces, 1u);
}

TEST(GlyphMemory, CacheDropsTheLeastRecentlyUsedAndWhatTheBudgetRefuses) {
  const auto glyph = [](size_t ink) {
    auto g = std::make_shared<Glyph>();
    g->ink.assign(ink, 1);
    return g;
  };
  const uint64_t cost = GlyphCache::CostOf(*glyph(100));
  GlyphCache cache(2 * cost);
  const uint64_t face = cache.NewOwner();
  const uint64_t other = cache.NewOwner();
  cache.Keep(face, U'a', glyph(100));
  cache.Keep(face, U'b', glyph(100));
  EXPECT_NE(cache.Find(face, U'a'), nullptr);
  cache.Keep(other, U'a', glyph(100));
  EXPECT_NE(cache.Find(face, U'a'), nullptr);
  EXPECT_EQ(cache.Find(face, U'b'), nullptr);
  EXPECT_NE(cache.Find(other, U'a'), nullptr);
  EXPECT_EQ(cache.Bytes(), 2 * cost);
  // Larger than the whole bound: drawn, never kept.
  cache.Keep(face, U'c', glyph(size_t(3 * cost)));
  EXPECT_EQ(cache.Find(face, U'c'), nullptr);
  cache.Forget(face);
  EXPECT_EQ(cache.Count(), 1u);
  EXPECT_EQ(cache.Bytes(), cost);

  MemoryBudget memory;
  memory.SetLimit(cost + cost / 2);
  cache.ChargeTo(&memory);
  cache.Keep(face, U'd', glyph(100));
  EXPECT_EQ(memory.Used(), cost);
  // The budget has no room beside it: the oldest charged glyph makes room.
  cache.Keep(face, U'e', glyph(100));
  EXPECT_EQ(cache.Find(face, U'd'), nullptr);
  EXPECT_NE(cache.Find(face, U'e'), nullptr);
  EXPECT_EQ(memory.Used(), cost);
  memory.SetLimit(cost / 2);
  cache.Forget(face);
  cache.Keep(face, U'f', glyph(100));
  EXPECT_EQ(cache.Find(face, U'f'), nullptr);
  EXPECT_EQ(memory.Used(), 0u);
}

}  // namespace
}  // namespace velmorant::platform
