#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/png_writer.hpp"
#include "platform/text/rich_document_builder.hpp"
#include "platform/text/rtf_reader.hpp"
#include "platform/text/wmf_records.hpp"
#include "support/bmp_builder.hpp"
#include "support/rtf_hex.hpp"
#include "support/wmf_builder.hpp"

namespace velmorant::platform {
namespace {

std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

RichDocument Read(std::string_view rtf, int32_t code_page = 1252) {
  auto doc = ReadRtf(Bytes(rtf), RtfOptions{code_page});
  EXPECT_TRUE(doc.has_value()) << (doc ? "" : doc.error());
  return doc ? std::move(*doc) : RichDocument{};
}

std::u32string Text(std::string_view rtf, int32_t code_page = 1252) {
  return Read(rtf, code_page).text;
}

TEST(RtfReader, TextStylesFontsAndColours) {
  const RichDocument doc =
      Read(R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}})"
           R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
           R"(\f0\fs20 Hello \b bold\b0  {\i it} \cf1 red\cf0\par)"
           R"(\f1\fs32\strike Second\strike0\cf2 !})");
  EXPECT_EQ(doc.text, U"Hello bold it red\rSecond!");
  ASSERT_EQ(doc.fonts.size(), 2u);
  EXPECT_EQ(doc.fonts[0].name, "Arial");
  EXPECT_EQ(doc.fonts[1].name, "Times New Roman");

  const CharStyle& hello = doc.StyleAt(0);
  EXPECT_EQ(hello.font, 0);
  EXPECT_EQ(hello.half_points, 20);
  EXPECT_FALSE(hello.bold);
  EXPECT_TRUE(doc.StyleAt(6).bold);
  EXPECT_FALSE(doc.StyleAt(10).bold);
  EXPECT_TRUE(doc.StyleAt(11).italic);
  EXPECT_FALSE(doc.StyleAt(13).italic);  // the group ended
  EXPECT_EQ(doc.StyleAt(14).colour, 0xFF0000u);
  EXPECT_EQ(doc.StyleAt(17).colour, 0u);  // the paragraph mark, after \cf0
  const CharStyle& second = doc.StyleAt(18);
  EXPECT_EQ(second.font, 1);
  EXPECT_EQ(second.half_points, 32);
  EXPECT_TRUE(second.strike);
  EXPECT_EQ(doc.StyleAt(24).colour, 0x0000FFu);
  EXPECT_FALSE(doc.StyleAt(24).strike);
  ASSERT_EQ(doc.paragraphs.size(), 2u);
  EXPECT_EQ(doc.paragraphs[1].start, 18u);
}

TEST(RtfReader, RaisedLoweredAndSmallCapitalText) {
  const RichDocument doc =
      Read(R"({\rtf1\fs24 x{\super 2}y\sub 3\nosupersub z\up4 u\dn6 d\up0\scaps Ab\scaps0 c})");
  EXPECT_EQ(doc.text, U"x2y3zudABc");
  auto at = [&](size_t p) { return std::pair{doc.StyleAt(p).half_points, doc.StyleAt(p).rise}; };
  EXPECT_EQ(at(0), (std::pair{24, 0}));
  EXPECT_EQ(at(1), (std::pair{16, 8})) << "superscript: smaller, a third of the size up";
  EXPECT_EQ(at(2), (std::pair{24, 0}));
  EXPECT_EQ(at(3), (std::pair{16, -4})) << "subscript: smaller, a fifth of the size down";
  EXPECT_EQ(at(4), (std::pair{24, 0}));
  EXPECT_EQ(at(5), (std::pair{24, 4})) << "\\up keeps the size";
  EXPECT_EQ(at(6), (std::pair{24, -6}));
  EXPECT_EQ(at(7), (std::pair{24, 0})) << "a capital stays as it is";
  EXPECT_EQ(at(8), (std::pair{19, 0})) << "a small letter becomes a smaller capital";
  EXPECT_EQ(at(9), (std::pair{24, 0}));
  EXPECT_EQ(Text(R"({\rtf1\ansicpg1250\scaps \'b3\'b9k \'9f\u1103?})", 1250), U"ŁĄK ŹЯ");
}

TEST(RtfReader, CodePagesOfTheDocumentAndOfEachFont) {
  // \ansicpg1250: Polish letters; a font with \fcharset204 reads its bytes as 1251.
  EXPECT_EQ(Text(R"({\rtf1\ansi\ansicpg1250 Za\'bf\'f3\'b3\'e6 g\'ea\'9cl\'b9})"), U"Zażółć gęślą");
  EXPECT_EQ(Text(R"({\rtf1\ansi\ansicpg1250{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial CYR;}})"
                 R"(\f1 \'cf\'f0\'e8\'e2\'e5\'f2 \f0\'b9})"),
            U"Привет ą");
  // Without \ansicpg the caller's code page holds; raw bytes count like \'hh.
  EXPECT_EQ(Text("{\\rtf1 \xb9\xe6}", 1250), U"ąć");
  EXPECT_EQ(Text("{\\rtf1\\ansi \xb9}"), U"\u00b9");
  // Double-byte pages keep their pairs together.
  EXPECT_EQ(Text(R"({\rtf1\ansi\ansicpg932 \'82\'a0})"), U"あ");
  // A page number that names nothing keeps the page there was.
  EXPECT_EQ(Text(R"({\rtf1\ansi\ansicpg0 \'e9})"), U"é");
}

TEST(RtfReader, UnicodeEscapesSkipTheirStandIns) {
  EXPECT_EQ(Text(R"({\rtf1 \u322?\u243? x})"), U"łó x");
  EXPECT_EQ(Text(R"({\rtf1\uc2\u8364\'80\'81y})"), U"€y");
  EXPECT_EQ(Text(R"({\rtf1\uc0\u-3913 z})"), U"\uF0B7z");
  // A pair of surrogates is one character.
  EXPECT_EQ(Text(R"({\rtf1\uc1\u-10179?\u-8704?})"), U"\U0001F600");
  // The count is kept per group, and a group end stops the skipping.
  EXPECT_EQ(Text(R"({\rtf1\uc3{\uc1\u322?a}\u322abcd})"), U"łałd");
  EXPECT_EQ(Text(R"({\rtf1 {\u322}x})"), U"łx");
}

TEST(RtfReader, EveryUnderlineVariantUnderlinesUntilItIsEnded) {
  const RichDocument doc =
      Read(R"({\rtf1 a\ul b\ul0 c\uldb d\ulnone e\ulwave f\ul0 g\ulc1 h\ulth i\ulnone j})");
  EXPECT_EQ(doc.text, U"abcdefghij");
  const std::u32string expected = U"0101010010";
  for (size_t i = 0; i < doc.text.size(); ++i) {
    EXPECT_EQ(doc.StyleAt(i).underline, expected[i] == U'1') << char(doc.text[i]);
  }
}

TEST(RtfReader, DestinationsItDoesNotShowAreSkipped) {
  EXPECT_EQ(Text(R"({\rtf1{\info{\title T}{\author A}}{\*\generator G;}{\stylesheet{\s0 Normal;}})"
                 R"({\header H}{\footnote F}{\*\unknowndest X}{\*\bkmkstart b}Body})"),
            U"Body");
  // Fields show their result; an unknown group without \* shows its text.
  EXPECT_EQ(Text(R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}} {\mystery kept}})"),
            U"link kept");
  // Hidden text, optional hyphens and \bin data (which may hold braces) are left out.
  EXPECT_EQ(Text("{\\rtf1 a{\\v hidden}b\\-c{\\*\\x \\bin3 }{}}d}e}"), U"abcd");
  EXPECT_EQ(Text(R"({\rtf1 \{braces\} \\ and\~space\emdash\bullet\lquote q\rquote})"),
            U"{braces} \\ and\u00a0space\u2014\u2022\u2018q\u2019");
}

TEST(RtfReader, TablesAreTabSeparatedRows) {
  const RichDocument doc =
      Read(R"({\rtf1\trowd\cellx1000\cellx2000 a\cell b\cell\row\pard c\tab d\line e})");
  EXPECT_EQ(doc.text, U"a\tb\t\rc\td\ve");
  ASSERT_EQ(doc.paragraphs.size(), 2u);
}

TEST(RtfReader, ParagraphFormattingBelongsToTheParagraphItEnds) {
  const RichDocument doc = Read(
      R"({\rtf1\qc\li720\ri360\fi-360\sb120\sa240\tx1440\tx720 one\par\pard\qr two\par\pard three})");
  ASSERT_EQ(doc.paragraphs.size(), 3u);
  const ParagraphStyle& one = doc.paragraph_styles[doc.paragraphs[0].style];
  EXPECT_EQ(one.alignment, Alignment::kCentre);
  EXPECT_EQ(one.left_indent, 720);
  EXPECT_EQ(one.right_indent, 360);
  EXPECT_EQ(one.first_indent, -360);
  EXPECT_EQ(one.space_before, 120);
  EXPECT_EQ(one.space_after, 240);
  EXPECT_EQ(one.tab_stops, (std::vector<int32_t>{720, 1440}));
  EXPECT_EQ(doc.paragraph_styles[doc.paragraphs[1].style].alignment, Alignment::kRight);
  EXPECT_EQ(doc.paragraph_styles[doc.paragraphs[2].style], ParagraphStyle{});
}

TEST(RtfReader, RefusesWhatIsNotRtfAndReadsDamagedDocumentsAsFarAsTheyGo) {
  for (std::string_view bad : {"", "plain text", "x{\\rtf1 a}", "\\rtf1", "{rtf1}"}) {
    EXPECT_FALSE(ReadRtf(Bytes(bad)).has_value()) << bad;
  }
  EXPECT_EQ(Text("  {\\rtf1 leading blanks}"), U"leading blanks");
  EXPECT_EQ(Text("{\\rtf1 cut {\\b short"), U"cut short");
  EXPECT_EQ(Text("{\\rtf1 one}} two"), U"one");
  // A broken escape means nothing; what follows it is text.
  EXPECT_EQ(Text("{\\rtf1 a\\'zz\\'4"), U"azz4");
  EXPECT_EQ(Text("{\\rtf1\\fs99999999999999 \\f-2147483649 \\uc-5 x}"), U"x");
}

TEST(RtfReader, DeepNestingIsBoundedWithoutLosingWhatFollows) {
  std::string deep = "{\\rtf1 a";
  for (int i = 0; i < 100000; ++i) deep += "{x";
  for (int i = 0; i < 100000; ++i) deep += "}";
  deep += "b}";
  const std::u32string text = Text(deep);
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.front(), U'a');
  EXPECT_EQ(text.back(), U'b');
  EXPECT_EQ(text.size(), size_t(kMaxRtfDepth) + 1);
}

TEST(RtfReader, MetafilePicturesArePlayedAtTheirShownSize) {
  // A red rectangle over the left half of its window, shown 300 x 150 twips (20 x 10 pixels).
  testing::WmfBuilder w;
  w.Record(wmf::kSetWindowExt, {100, 200});  // y, x
  w.Record(wmf::kCreateBrush, {0, 0x00FF, 0, 0}).Record(wmf::kSelectObject, {0});
  w.Record(wmf::kCreatePen, {5, 0, 0, 0, 0}).Record(wmf::kSelectObject, {1});  // no outline
  w.Record(wmf::kRectangle, {100, 100, 0, 0});
  const RichDocument doc =
      Read("{\\rtf1 a{\\pict\\wmetafile8\\picw5292\\pich2646\\picwgoal300\\pichgoal150 " +
           fixtures::RtfHex(w.Bytes()) + "}b}");
  ASSERT_EQ(doc.pictures.size(), 1u);
  const Bitmap& picture = *doc.pictures[0].picture;
  EXPECT_EQ(picture.GetSize(), (Size{20, 10}));
  EXPECT_EQ(picture.At(2, 5), 0xFF0000u);
  EXPECT_EQ(picture.At(15, 5), 0xFFFFFFu);
}

TEST(RtfReader, PicturesDecodeAtTheirShownSize) {
  // A 4 x 2 PNG shown 120 x 60 twips (8 x 4 pixels), and a 2 x 2 DIB at its own size, 200 %.
  Bitmap png_picture(4, 2, 0x00FF00);
  png_picture.Set(0, 0, 0xFF0000);
  testing::BmpSpec dib;
  dib.width = 2;
  dib.height = 2;
  dib.bits = 24;
  dib.pixels = testing::PackRows(2, 2, 24, [](int32_t, int32_t) { return 0xFF0000u; });
  std::vector<uint8_t> dib_bytes = testing::BuildBmp(dib);
  dib_bytes.erase(dib_bytes.begin(), dib_bytes.begin() + 14);
  const std::string rtf = "{\\rtf1 a{\\pict\\pngblip\\picw4\\pich2\\picwgoal120\\pichgoal60 " +
                          fixtures::RtfHex(EncodePng(png_picture)) +
                          "}b{\\pict\\dibitmap0\\picscalex200\\picscaley200 " +
                          fixtures::RtfHex(dib_bytes) +
                          "}c{\\pict\\wmetafile8 0102}d{\\pict\\pngblip 00ff}e}";
  const RichDocument doc = Read(rtf);
  EXPECT_EQ(doc.text, U"a\uFFFCb\uFFFCcde");
  ASSERT_EQ(doc.pictures.size(), 2u);
  const RichPicture* first = doc.PictureAt(1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->picture->GetSize(), (Size{8, 4}));
  EXPECT_EQ(first->picture->At(0, 0), 0xFF0000u);
  EXPECT_EQ(first->picture->At(7, 3), 0x00FF00u);
  const RichPicture* second = doc.PictureAt(3);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->picture->GetSize(), (Size{4, 4}));
  EXPECT_EQ(second->picture->At(3, 3), 0xFF0000u);
  EXPECT_EQ(doc.PictureAt(0), nullptr);
}

TEST(RtfPhrases, UnderlinedRunsInOrderUpToTheLimit) {
  const RichDocument doc = Read(R"({\rtf1 a \ul one\ulnone  b \ul t\b wo\ulnone  c \ul end})");
  EXPECT_EQ(FindPhrases(doc, 10), (std::vector<Phrase>{{2, 5}, {8, 11}, {14, 17}}));
  EXPECT_EQ(FindPhrases(doc, 2), (std::vector<Phrase>{{2, 5}, {8, 11}}));
  EXPECT_TRUE(FindPhrases(doc, 0).empty());
  EXPECT_TRUE(FindPhrases(Read("{\\rtf1 }"), 5).empty());
}

TEST(PlainText, LineEndsMakeParagraphs) {
  const RichDocument doc = PlainTextDocument(U"one\r\ntwo\nthree\rfour", {"Arial", 0});
  EXPECT_EQ(doc.text, U"one\rtwo\rthree\rfour");
  EXPECT_EQ(doc.paragraphs.size(), 4u);
  EXPECT_EQ(doc.fonts.front().name, "Arial");
}

}  // namespace
}  // namespace velmorant::platform
