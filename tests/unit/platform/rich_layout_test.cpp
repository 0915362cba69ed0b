#include <gtest/gtest.h>

#include "platform/gfx/colour.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/rich_layout.hpp"
#include "platform/text/rtf_reader.hpp"

namespace velmorant::platform {
namespace {

RichDocument Rtf(std::string_view rtf) {
  auto doc = ReadRtf({reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size()});
  EXPECT_TRUE(doc.has_value());
  return doc ? std::move(*doc) : RichDocument{};
}

// A document of one font (Arial 12 pt) laid out at a width.
struct Laid {
  Laid(std::string_view body, int32_t width)
      : doc(Rtf(std::string("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Arial;}}\\f0\\fs24 ") +
                std::string(body) + "}")),
        fonts(engine, doc),
        layout(doc, fonts, width) {}
  std::u32string LineText(size_t i) const {
    const LayoutLine& l = layout.Lines()[i];
    return doc.text.substr(l.start, l.end - l.start);
  }
  FontEngine engine;
  RichDocument doc;
  RichFonts fonts;
  RichLayout layout;
};

TEST(RichLayout, RaisedTextStandsAboveTheLineAndMakesItTaller) {
  const Laid flat("xx", 200);
  const Laid raised("x{\\super x}", 200);
  EXPECT_GT(raised.layout.Height(), flat.layout.Height());
  // The raised letter's ink ends above the plain one's.
  Bitmap picture(60, raised.layout.Height(), kWhite);
  raised.layout.Paint(picture, {0, 0}, picture.Bounds());
  auto lowest_ink = [&](int32_t from, int32_t to) {
    int32_t lowest = -1;
    for (int32_t y = 0; y < picture.Height(); ++y) {
      for (int32_t x = from; x < to; ++x) {
        if (picture.At(x, y) != kWhite) lowest = y;
      }
    }
    return lowest;
  };
  const int32_t second = raised.layout.CharX(1);
  EXPECT_LT(lowest_ink(second, 60), lowest_ink(0, second) - 3);
}

TEST(RichLayout, WrapsAfterSpacesAndBreaksWordsWiderThanTheLine) {
  const Laid words("one two three four five six seven", 90);
  ASSERT_GE(words.layout.Lines().size(), 3u);
  for (size_t i = 0; i + 1 < words.layout.Lines().size(); ++i) {
    // Every line but the last ends after a space, and its letters fit.
    const std::u32string text = words.LineText(i);
    EXPECT_EQ(text.back(), U' ') << i;
    const LayoutLine& l = words.layout.Lines()[i];
    const uint32_t last_letter = l.end - 2;
    EXPECT_LE(words.layout.CharX(last_letter) + words.layout.CharWidth(last_letter), 90);
  }
  const Laid long_word("abcdefghijklmnopqrstuvwxyz", 60);
  ASSERT_GE(long_word.layout.Lines().size(), 3u);
  EXPECT_EQ(long_word.layout.Lines().back().end, 26u);
  // Even a line narrower than one letter takes a letter, so the layout always ends.
  const Laid narrow("WW", 1);
  EXPECT_EQ(narrow.layout.Lines().size(), 2u);
}

TEST(RichLayout, LinesFollowTheirTallestFontAndParagraphSpacing) {
  const Laid mixed("small {\\fs72 BIG} small\\par next", 1000);
  ASSERT_EQ(mixed.layout.Lines().size(), 2u);
  const LayoutLine& first = mixed.layout.Lines()[0];
  const LayoutLine& second = mixed.layout.Lines()[1];
  EXPECT_GT(first.height, 2 * second.height);
  EXPECT_EQ(second.top, first.height);
  // Space before and after in twips: 15 to a pixel.
  const Laid spaced("\\sb300\\sa150 a\\par\\pard b", 1000);
  EXPECT_EQ(spaced.layout.Lines()[0].top, 20);
  EXPECT_EQ(spaced.layout.Lines()[1].top, 20 + spaced.layout.Lines()[0].height + 10);
}

TEST(RichLayout, AlignmentIndentsAndTabStops) {
  const Laid centred(
      "\\qc mid\\par\\pard\\qr right\\par\\pard\\li300\\fi150 in\\par\\pard "
      "a\\tab b\\par\\pard\\tx1500 c\\tab d",
      400);
  const auto& lines = centred.layout.Lines();
  ASSERT_EQ(lines.size(), 5u);
  const int32_t mid_width = centred.layout.CharX(2) + centred.layout.CharWidth(2);
  EXPECT_NEAR(lines[0].x, (400 - mid_width) / 2, 1);
  const uint32_t t = lines[1].start + 4;  // the last letter of "right"
  EXPECT_EQ(lines[1].x + centred.layout.CharX(t) + centred.layout.CharWidth(t), 400);
  EXPECT_EQ(lines[2].x, 30);  // 300 + 150 twips
  // Default stops every half inch; a stop of its own at 1500 twips (100 pixels).
  EXPECT_EQ(centred.layout.CharX(lines[3].start + 2), 48);
  EXPECT_EQ(centred.layout.CharX(lines[4].start + 2), 100);
}

TEST(RichLayout, CharAtFindsTheCharacterUnderAPoint) {
  const Laid two("ab cd\\par ef", 1000);
  const auto& lines = two.layout.Lines();
  ASSERT_EQ(lines.size(), 2u);
  const int32_t b_x = two.layout.CharX(1) + 1;
  EXPECT_EQ(two.layout.CharAt({b_x, 2}), 1);
  EXPECT_EQ(two.layout.CharAt({-50, -50}), 0);
  // Past a line's end: its last character (the paragraph mark); below the text: the last one.
  EXPECT_EQ(two.layout.CharAt({900, 2}), 5);
  EXPECT_EQ(two.layout.CharAt({900, lines[1].top + 1}), 7);
  EXPECT_EQ(two.layout.CharAt({0, 10000}), 6);
  const RichDocument empty;
  RichFonts empty_fonts(two.engine, empty);
  EXPECT_EQ(RichLayout(empty, empty_fonts, 10).CharAt({0, 0}), 0);
}

TEST(RichLayout, PaintsInkInTheRunColoursOnlyInsideTheClip) {
  const Laid coloured(
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\cf1 RED \\cf2 BLUE", 1000);
  Bitmap target(200, 40, kWhite);
  coloured.layout.Paint(target, {0, 0}, target.Bounds());
  bool red = false;
  bool blue = false;
  for (int32_t y = 0; y < target.Height(); ++y) {
    for (int32_t x = 0; x < target.Width(); ++x) {
      red |= target.At(x, y) == 0xFF0000u;
      blue |= target.At(x, y) == 0x0000FFu;
      const Pixel p = target.At(x, y);
      EXPECT_TRUE(p == kWhite || p == 0xFF0000u || p == 0x0000FFu);
    }
  }
  EXPECT_TRUE(red && blue);
  Bitmap clipped(200, 40, kWhite);
  coloured.layout.Paint(clipped, {0, 0}, {0, 0, 10, 40});
  for (int32_t y = 0; y < 40; ++y) {
    for (int32_t x = 10; x < 200; ++x) ASSERT_EQ(clipped.At(x, y), kWhite);
  }
}

}  // namespace
}  // namespace velmorant::platform
