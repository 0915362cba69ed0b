#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>

#include "platform/gfx/colour.hpp"
#include "platform/text/draw_text.hpp"
#include "platform/text/font_engine.hpp"

namespace velmorant::platform {
namespace {

constexpr Pixel kRed = Rgb(255, 0, 0);

FontRequest FontOf(std::string name, int32_t points) {
  FontRequest wanted;
  wanted.name = std::move(name);
  wanted.size_points = points;
  return wanted;
}

// Bounding box of every pixel that is not `background`; empty when there is none.
Rect InkBounds(const Bitmap& b, Pixel background = kWhite) {
  Rect r{b.Width(), b.Height(), 0, 0};
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      if (b.At(x, y) == background) continue;
      r.left = std::min(r.left, x);
      r.top = std::min(r.top, y);
      r.right = std::max(r.right, x + 1);
      r.bottom = std::max(r.bottom, y + 1);
    }
  }
  return r.IsEmpty() ? Rect{} : r;
}

bool IsBlank(const Bitmap& b) {
  return InkBounds(b).IsEmpty();
}

class DrawTextTest : public ::testing::Test {
 protected:
  Bitmap Draw(std::string_view text, Rect rect, uint32_t format, const Font& font,
              Size size = {400, 200}) {
    Bitmap b(size.width, size.height, kWhite);
    DrawText(b, font, text, rect, format, kBlack);
    return b;
  }

  FontEngine engine_;
  Font arial_ = engine_.CreateFont(FontOf("Arial", 12));
  int32_t line_height_ = arial_.Metrics().height;
};

TEST_F(DrawTextTest, CalcRectMeasuresLinesAndWidestLine) {
  const Rect r = CalcTextRect(arial_, "one two three", {10, 20, 60, 20}, kDtWordBreak);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.bottom, 20 + 3 * line_height_);
  EXPECT_EQ(r.right, 10 + arial_.TextExtent("three").width);

  const Rect one = CalcTextRect(arial_, "one two three", {0, 0, 1000, 0}, kDtWordBreak);
  EXPECT_EQ(one.right, arial_.TextExtent("one two three").width);
  EXPECT_EQ(one.bottom, line_height_);
}

TEST_F(DrawTextTest, CalcRectDrawsNothingAndReturnsTheHeight) {
  Bitmap b(200, 100, kWhite);
  Rect r{0, 0, 200, 0};
  EXPECT_EQ(DrawText(b, arial_, "a\nb", r, kDtCalcRect | kDtWordBreak, kBlack), 2 * line_height_);
  EXPECT_TRUE(IsBlank(b));
}

TEST_F(DrawTextTest, LongWordWidensTheMeasuredRect) {
  const Rect r = CalcTextRect(arial_, "a Incomprehensibilities b", {0, 0, 30, 0}, kDtWordBreak);
  EXPECT_EQ(r.right, arial_.TextExtent("Incomprehensibilities").width);
  EXPECT_EQ(r.bottom, 3 * line_height_);
}

TEST_F(DrawTextTest, DrawingStaysInsideTheMeasuredRect) {
  const std::string text = "Zażółć gęślą jaźń, a long caption that wraps over lines";
  for (uint32_t align : {kDtLeft, kDtCenter, kDtRight}) {
    const Rect measured = CalcTextRect(arial_, text, {20, 10, 220, 10}, kDtWordBreak | align);
    EXPECT_EQ(measured.Height() % line_height_, 0);
    EXPECT_GE(measured.Height(), 2 * line_height_);
    Rect box{20, 10, 220, measured.bottom};
    const Bitmap b = Draw(text, box, kDtWordBreak | align, arial_);
    const Rect ink = InkBounds(b);
    EXPECT_GE(ink.left, box.left);
    EXPECT_LE(ink.right, box.right);
    EXPECT_GE(ink.top, box.top);
    EXPECT_LE(ink.bottom, box.bottom);
    // The last line is drawn too: the box is exactly high enough.
    EXPECT_GT(ink.bottom, box.bottom - line_height_);
  }
}

TEST_F(DrawTextTest, AlignmentShiftsEachLineByItsOwnWidth) {
  const int32_t width = arial_.TextExtent("Hi").width;
  const Bitmap left = Draw("Hi", {0, 0, 201, 50}, kDtLeft, arial_);
  const Bitmap centre = Draw("Hi", {0, 0, 201, 50}, kDtCenter, arial_);
  const Bitmap right = Draw("Hi", {0, 0, 201, 50}, kDtRight, arial_);
  const Rect l = InkBounds(left);
  EXPECT_EQ(InkBounds(centre), l.Offset((201 - width) / 2, 0));
  EXPECT_EQ(InkBounds(right), l.Offset(201 - width, 0));

  // Two lines of different widths are centred each on its own.
  const Bitmap two = Draw("Hi\nHiHi", {0, 0, 201, 100}, kDtCenter, arial_);
  Bitmap first(two.Width(), line_height_);
  for (int32_t y = 0; y < line_height_; ++y) {
    for (int32_t x = 0; x < two.Width(); ++x) first.Set(x, y, two.At(x, y));
  }
  EXPECT_EQ(InkBounds(first), l.Offset((201 - width) / 2, 0));
}

TEST_F(DrawTextTest, GlyphsAreTwoColoured) {
  FontRequest wanted = FontOf("Times New Roman", 20);
  wanted.italic = true;
  wanted.bold = true;
  const Font font = engine_.CreateFont(wanted);
  Bitmap b(300, 100, kWhite);
  Rect r{0, 0, 300, 100};
  DrawText(b, font, "Quick brown fox ąę @#%", r, kDtWordBreak, kRed);
  std::set<Pixel> colours(b.Data(), b.Data() + size_t(b.Width()) * size_t(b.Height()));
  EXPECT_EQ(colours, (std::set<Pixel>{kWhite, kRed}));
}

TEST_F(DrawTextTest, SameInputGivesSamePixels) {
  FontEngine other;
  const Font again = other.CreateFont(FontOf("Arial", 12));
  const std::string text = "Determinism: the same words, the same pixels.";
  const Bitmap a = Draw(text, {5, 5, 200, 150}, kDtWordBreak | kDtCenter, arial_);
  const Bitmap b = Draw(text, {5, 5, 200, 150}, kDtWordBreak | kDtCenter, again);
  EXPECT_EQ(a, b);
  EXPECT_FALSE(IsBlank(a));
}

TEST_F(DrawTextTest, AcceleratorIsUnderlinedBelowTheBaseline) {
  const Bitmap plain = Draw("x", {0, 0, 100, 40}, 0, arial_);
  const Bitmap marked = Draw("&x", {0, 0, 100, 40}, 0, arial_);
  const int32_t row = arial_.Metrics().ascent + 1;
  const int32_t advance = arial_.Advance('x');
  for (int32_t y = 0; y < 40; ++y) {
    for (int32_t x = 0; x < 100; ++x) {
      const bool underline = y == row && x < advance - 1;
      EXPECT_EQ(marked.At(x, y), underline ? kBlack : plain.At(x, y)) << x << "," << y;
    }
  }
  // "&&" is a plain ampersand; without prefixes '&' is drawn as it stands.
  EXPECT_EQ(Draw("a&&b", {0, 0, 100, 40}, 0, arial_),
            Draw("a&b", {0, 0, 100, 40}, kDtNoPrefix, arial_));
}

TEST_F(DrawTextTest, UnderlineAndStrikeOutSpanTheLine) {
  FontRequest wanted = FontOf("Arial", 12);
  wanted.underline = true;
  wanted.strike_out = true;
  const Font font = engine_.CreateFont(wanted);
  const TextMetrics& m = font.Metrics();
  const Bitmap b = Draw("a  b", {0, 0, 200, 40}, 0, font);
  const int32_t width = font.TextExtent("a  b").width;
  const int32_t underline_row = m.ascent - m.underline_position - m.underline_thickness / 2;
  const int32_t strike_row = m.ascent - m.strikeout_position - m.strikeout_thickness / 2;
  for (int32_t x = 0; x < width; ++x) {
    EXPECT_EQ(b.At(x, underline_row), kBlack) << x;
    EXPECT_EQ(b.At(x, strike_row), kBlack) << x;
  }
  EXPECT_EQ(b.At(width, underline_row), kWhite);
}

TEST_F(DrawTextTest, EmptyTextDrawsNothing) {
  Bitmap b(100, 50, kWhite);
  Rect r{5, 5, 95, 45};
  EXPECT_EQ(DrawText(b, arial_, "", r, kDtWordBreak, kBlack), line_height_);
  EXPECT_TRUE(IsBlank(b));
  EXPECT_EQ(CalcTextRect(arial_, "", {5, 5, 95, 45}, kDtWordBreak), (Rect{5, 5, 5, 5}));
  EXPECT_EQ(CalcTextRect(arial_, "", {5, 5, 95, 45}, kDtSingleLine),
            (Rect{5, 5, 5, 5 + line_height_}));
}

TEST_F(DrawTextTest, TextOfOnlyBreaksIsEmptyLines) {
  EXPECT_EQ(CalcTextRect(arial_, "\r\n\r\n", {0, 0, 100, 0}, kDtWordBreak),
            (Rect{0, 0, 0, 2 * line_height_}));
  EXPECT_TRUE(IsBlank(Draw("\n\r\n", {0, 0, 100, 100}, kDtWordBreak, arial_)));
}

TEST_F(DrawTextTest, ClipsToTheRectAndStopsBelowIt) {
  const std::string text = "many words to fill several lines of this small box";
  Rect box{50, 30, 120, 30 + line_height_ + line_height_ / 2};
  const Bitmap b = Draw(text, box, kDtWordBreak, arial_);
  const Rect ink = InkBounds(b);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.left, box.left);
  EXPECT_LE(ink.right, box.right);
  EXPECT_GE(ink.top, box.top);
  EXPECT_LE(ink.bottom, box.bottom);
  // Without clipping the same text runs on below the box.
  const Bitmap unclipped = Draw(text, box, kDtWordBreak | kDtNoClip, arial_);
  EXPECT_GT(InkBounds(unclipped).bottom, box.bottom + line_height_);
}

TEST_F(DrawTextTest, AbsurdRectsAndHugeFontsAreSafe) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  for (Rect r : {Rect{kMin, kMin, kMax, kMax}, Rect{kMax, kMax, kMin, kMin},
                 Rect{kMax - 5, 0, kMax, 10}, Rect{-1000000, -1000000, 10, 10}}) {
    Bitmap b(50, 50, kWhite);
    for (uint32_t format : {kDtWordBreak, kDtWordBreak | kDtCenter, kDtRight | kDtNoClip,
                            kDtSingleLine | kDtVCenter, kDtCalcRect | kDtWordBreak}) {
      Rect rect = r;
      DrawText(b, arial_, "some words\nand more", rect, format, kBlack);
    }
  }
  const Font huge = engine_.CreateFont(FontOf("Arial", 1000000));
  Bitmap b(1100, 1100, kWhite);
  Rect r{0, 0, 64, 64};
  DrawText(b, huge, "WW", r, kDtNoClip, kBlack);
  EXPECT_FALSE(IsBlank(b));
}

TEST_F(DrawTextTest, TextOutDrawsOneLineAsItStands) {
  Bitmap out(200, 40, kWhite);
  TextOut(out, arial_, {3, 4}, "a&b\nc", kBlack);
  // The same as DrawText without prefixes or line ends, on one unclipped line.
  EXPECT_EQ(out,
            Draw("a&bc", {3, 4, 3, 4}, kDtSingleLine | kDtNoPrefix | kDtNoClip, arial_, {200, 40}));
  Bitmap edge(20, 20, kWhite);
  TextOut(edge, arial_, {-5, 15}, "WWWW", kBlack);  // partly outside: clipped
  EXPECT_FALSE(IsBlank(edge));
}

TEST_F(DrawTextTest, RandomTextsFormatsAndRectsStayInBounds) {
  const std::vector<std::string> pieces = {"a",  "bb", " ", "  ",       "&",    "&&", "\r",
                                           "\n", "\t", "ż", "\xff\xfe", "\x01", "W",  "longerword"};
  constexpr uint32_t kFlags[] = {kDtCenter,          kDtRight,      kDtVCenter,    kDtBottom,
                                 kDtWordBreak,       kDtSingleLine, kDtExpandTabs, kDtNoClip,
                                 kDtExternalLeading, kDtNoPrefix};
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int count = int(random() % 12);
    for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    uint32_t format = 0;
    for (uint32_t flag : kFlags) {
      if (random() % 3 == 0) format |= flag;
    }
    const auto coordinate = [&random] { return int32_t(random() % 200) - 60; };
    Rect rect{coordinate(), coordinate(), coordinate(), coordinate()};

    Bitmap canvas(64, 48, kWhite);
    Rect drawn = rect;
    DrawText(canvas, arial_, text, drawn, format, kBlack);
    EXPECT_EQ(drawn, rect) << "only kDtCalcRect changes the rect";
    if (!(format & kDtNoClip)) {
      const Rect ink = InkBounds(canvas);
      if (!ink.IsEmpty()) {
        EXPECT_EQ(ink.Intersect(rect), ink) << text;
      }
    }
    const Rect measured = CalcTextRect(arial_, text, rect, format);
    EXPECT_EQ(measured.left, rect.left);
    EXPECT_GE(measured.right, rect.left);
    const int32_t line_height =
        line_height_ + ((format & kDtExternalLeading) ? arial_.Metrics().external_leading : 0);
    if (!(format & kDtSingleLine)) {
      EXPECT_EQ(measured.Height() % line_height, 0) << text;
    }
  }
}

TEST_F(DrawTextTest, FontWithoutFaceDrawsNothing) {
  const Font none;
  Bitmap b(50, 50, kWhite);
  Rect r{0, 0, 50, 50};
  DrawText(b, none, "abc def", r, kDtWordBreak, kBlack);
  EXPECT_TRUE(IsBlank(b));
  EXPECT_EQ(CalcTextRect(none, "abc def", {0, 0, 50, 0}, kDtWordBreak), (Rect{0, 0, 0, 0}));
}

}  // namespace
}  // namespace velmorant::platform
