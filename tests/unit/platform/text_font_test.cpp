#include <gtest/gtest.h>

#include <limits>

#include "platform/text/font_engine.hpp"
#include "platform/text/font_face.hpp"
#include "platform/text/font_names.hpp"
#include "platform/text/utf8.hpp"

namespace velmorant::platform {
namespace {

FontRequest FontOf(std::string name, int32_t points) {
  FontRequest wanted;
  wanted.name = std::move(name);
  wanted.size_points = points;
  return wanted;
}

TEST(FontSize, MulDivRoundsHalfAwayFromZeroAndRefusesOverflow) {
  EXPECT_EQ(MulDiv(8, 96, 72), 11);
  EXPECT_EQ(MulDiv(-8, 96, 72), -11);
  EXPECT_EQ(MulDiv(3, 1, 2), 2);
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(3, 1, -2), -2);
  EXPECT_EQ(MulDiv(1, 2, 0), -1);
  EXPECT_EQ(MulDiv(std::numeric_limits<int32_t>::max(), 96, 72), -1);
}

TEST(FontSize, PointsBecomeEmHeightsAt96Dpi) {
  EXPECT_EQ(FontHeightForPoints(8), -11);
  EXPECT_EQ(FontHeightForPoints(9), -12);
  EXPECT_EQ(FontHeightForPoints(10), -13);
  EXPECT_EQ(FontHeightForPoints(12), -16);

  FontEngine engine;
  for (auto [points, pixels] : {std::pair{8, 11}, {9, 12}, {10, 13}, {12, 16}}) {
    const Font font = engine.CreateFont(FontOf("Arial", points));
    ASSERT_TRUE(font.HasFace());
    EXPECT_EQ(font.PixelsPerEm(), pixels) << points << " pt";
  }
}

TEST(FontSize, ZeroNegativeAndAbsurdSizes) {
  EXPECT_EQ(PixelsPerEmForHeight(-11, 2048, 2288), 11);
  EXPECT_EQ(PixelsPerEmForHeight(0, 2048, 2288), 16);
  // A positive height is the cell height: ascent + descent.
  EXPECT_EQ(PixelsPerEmForHeight(16, 2048, 2288), 14);
  EXPECT_EQ(PixelsPerEmForHeight(1 << 30, 2048, 2288), kMaxPixelsPerEm);
  EXPECT_EQ(PixelsPerEmForHeight(-(1 << 30), 2048, 2288), kMaxPixelsPerEm);

  FontEngine engine;
  EXPECT_EQ(engine.CreateFont(FontOf("Arial", 100000)).PixelsPerEm(), kMaxPixelsPerEm);
  EXPECT_EQ(engine.CreateFont(FontOf("Arial", std::numeric_limits<int32_t>::min())).PixelsPerEm(),
            1);
  const Font negative = engine.CreateFont(FontOf("Arial", -12));  // TFont.Height +16
  EXPECT_NEAR(negative.Metrics().height, 16, 1);
}

TEST(FontNames, CoreWindowsFacesUseMetricCompatibleFamilies) {
  FontEngine engine;
  EXPECT_EQ(engine.CreateFont(FontOf("Arial", 10)).FamilyName(), "Liberation Sans");
  EXPECT_EQ(engine.CreateFont(FontOf("arial", 10)).FamilyName(), "Liberation Sans");
  EXPECT_EQ(engine.CreateFont(FontOf("Times New Roman", 10)).FamilyName(), "Liberation Serif");
  EXPECT_EQ(engine.CreateFont(FontOf("Courier New", 10)).FamilyName(), "Liberation Mono");
  // An installed family is used as it is.
  EXPECT_EQ(engine.CreateFont(FontOf("DejaVu Serif", 10)).FamilyName(), "DejaVu Serif");
}

TEST(FontNames, ScriptSuffixesNameTheFaceWithoutThem) {
  EXPECT_EQ(WithoutScriptSuffix("Arial CE"), "Arial");
  EXPECT_EQ(WithoutScriptSuffix("Times New Roman CYR"), "Times New Roman");
  EXPECT_EQ(WithoutScriptSuffix("Courier New  baltic "), "Courier New");
  EXPECT_EQ(WithoutScriptSuffix("Tahoma Greek"), "Tahoma");
  EXPECT_EQ(WithoutScriptSuffix("Verdana TUR"), "Verdana");
  // Only a whole last word is a suffix, and never the whole name.
  EXPECT_EQ(WithoutScriptSuffix("ACE"), "ACE");
  EXPECT_EQ(WithoutScriptSuffix(" CE"), " CE");
  EXPECT_EQ(WithoutScriptSuffix("Arial"), "Arial");

  FontEngine engine;
  EXPECT_EQ(engine.CreateFont(FontOf("Arial CE", 10)).FamilyName(), "Liberation Sans");
  EXPECT_EQ(engine.CreateFont(FontOf("Times New Roman CE", 10)).FamilyName(), "Liberation Serif");
  EXPECT_EQ(engine.CreateFont(FontOf("Courier New CYR", 10)).FamilyName(), "Liberation Mono");
  // The same face, so the same wrapping as without the suffix.
  const Font plain = engine.CreateFont(FontOf("Arial", 12));
  const Font ce = engine.CreateFont(FontOf("Arial CE", 12));
  EXPECT_EQ(ce.TextExtent("Zażółć gęślą jaźń").width, plain.TextExtent("Zażółć gęślą jaźń").width);
}

TEST(FontNames, GuiAndMissingFacesFallBackToTheSans) {
  FontEngine engine;
  const std::string sans = engine.CreateFont(FontOf("", 10)).FamilyName();
  ASSERT_FALSE(sans.empty());
  for (const char* name :
       {"MS Sans Serif", "Tahoma", "Verdana", "No Such Font 1234", "Wingdings"}) {
    const Font font = engine.CreateFont(FontOf(name, 10));
    EXPECT_TRUE(font.HasFace()) << name;
    EXPECT_EQ(font.FamilyName(), sans) << name;
  }
  EXPECT_TRUE(SameFamilyName("Times New Roman", "timesnewroman"));
  EXPECT_FALSE(SameFamilyName("Arial", "Arial Black"));
}

TEST(FontMetrics, AreConsistentAsWindowsReportsThem) {
  FontEngine engine;
  for (const char* name : {"Arial", "Times New Roman", "Courier New", "MS Sans Serif"}) {
    for (int points : {8, 12, 36}) {
      const Font font = engine.CreateFont(FontOf(name, points));
      const TextMetrics& m = font.Metrics();
      EXPECT_EQ(m.height, m.ascent + m.descent) << name;
      EXPECT_EQ(m.internal_leading, m.height - font.PixelsPerEm()) << name;
      EXPECT_GE(m.external_leading, 0);
      EXPECT_GT(m.ascent, m.descent);
      EXPECT_GE(m.underline_thickness, 1);
      EXPECT_GE(m.strikeout_thickness, 1);
      EXPECT_LE(m.underline_position, 0);  // below the baseline
      EXPECT_GT(m.strikeout_position, 0);  // above it
      EXPECT_GT(m.ave_char_width, 0);
    }
  }
}

TEST(FontMetrics, TextExtentAddsAdvancesAndUsesTheLineHeight) {
  FontEngine engine;
  const Font font = engine.CreateFont(FontOf("Arial", 10));
  const Size extent = font.TextExtent("Hello");
  EXPECT_EQ(extent.width,
            font.Advance('H') + font.Advance('e') + 2 * font.Advance('l') + font.Advance('o'));
  EXPECT_EQ(extent.height, font.Metrics().height);
  EXPECT_EQ(font.TextExtent("").width, 0);
  // Courier New stays monospaced.
  const Font mono = engine.CreateFont(FontOf("Courier New", 10));
  EXPECT_EQ(mono.TextExtent("iiii").width, mono.TextExtent("WWWW").width);
}

TEST(FontStyles, SynthesisedBoldWidensWhenTheFaceLacksIt) {
  FontEngine::Options only_regular;
  only_regular.system_fonts = false;
  only_regular.font_files = {"/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"};
  FontEngine engine(only_regular);
  ASSERT_TRUE(engine.HasFonts());
  FontRequest wanted = FontOf("Arial", 12);
  const Font regular = engine.CreateFont(wanted);
  wanted.bold = true;
  const Font bold = engine.CreateFont(wanted);
  ASSERT_TRUE(bold.HasFace());
  EXPECT_EQ(bold.Advance('a'), regular.Advance('a') + 1);
  EXPECT_EQ(bold.Metrics().height, regular.Metrics().height);
}

TEST(FontStyles, RealBoldFaceIsChosenWhenThere) {
  FontEngine engine;
  FontRequest wanted = FontOf("Arial", 12);
  wanted.bold = true;
  wanted.italic = true;
  const Font font = engine.CreateFont(wanted);
  EXPECT_EQ(font.FamilyName(), "Liberation Sans");
  EXPECT_TRUE(font.HasFace());
}

TEST(FontEngineStart, WithoutAnyFontsTextMeasuresNothing) {
  FontEngine::Options nothing;
  nothing.system_fonts = false;
  nothing.font_files = {"/nonexistent/font.ttf"};
  FontEngine engine(nothing);
  EXPECT_FALSE(engine.HasFonts());
  const Font font = engine.CreateFont(FontOf("Arial", 10));
  EXPECT_FALSE(font.HasFace());
  EXPECT_EQ(font.Metrics().height, 0);
  EXPECT_EQ(font.TextExtent("abc").width, 0);
  EXPECT_EQ(font.GlyphFor('a'), nullptr);
  EXPECT_FALSE(Font().HasFace());
}

TEST(FontEngineStart, FontsOutliveTheirEngine) {
  Font font;
  {
    FontEngine engine;
    font = engine.CreateFont(FontOf("Arial", 10));
  }
  EXPECT_GT(font.Advance('W'), 0);
}

TEST(FontCharset, PicksTheCodePageTextIsDecodedWith) {
  EXPECT_EQ(CodePageForCharset(238, 1252), 1250);
  EXPECT_EQ(CodePageForCharset(204, 1250), 1251);
  EXPECT_EQ(CodePageForCharset(0, 1250), 1252);
  EXPECT_EQ(CodePageForCharset(kDefaultCharset, 1250), 1250);
  EXPECT_EQ(CodePageForCharset(kSymbolCharset, 1250), 42);
  EXPECT_EQ(CodePageForCharset(255, 1250), 852);
  EXPECT_EQ(CodePageForCharset(99, 1251), 1251);
}

TEST(Utf8, MalformedSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(DecodeUtf8("a\xc5\xbc"
                       "b"),
            U"a\u017Cb");
  EXPECT_EQ(DecodeUtf8("\xf0\x9f\x98\x80"), U"\U0001F600");
  EXPECT_EQ(DecodeUtf8("\xc5"), U"\uFFFD");              // cut short
  EXPECT_EQ(DecodeUtf8("\xc0\xaf"), U"\uFFFD");          // overlong
  EXPECT_EQ(DecodeUtf8("\xed\xa0\x80"), U"\uFFFD");      // surrogate
  EXPECT_EQ(DecodeUtf8("\xf4\x90\x80\x80"), U"\uFFFD");  // past U+10FFFF
  EXPECT_EQ(DecodeUtf8("\x80x"), U"\uFFFDx");
  EXPECT_EQ(DecodeUtf8("\xe2\x82x"), U"\uFFFDx");
}

}  // namespace
}  // namespace velmorant::platform
