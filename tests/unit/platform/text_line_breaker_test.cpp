#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/draw_text_flags.hpp"
#include "platform/text/line_breaker.hpp"
#include "platform/text/utf8.hpp"

namespace velmorant::platform {
namespace {

// Every character is 10 pixels wide, so widths below count characters.
constexpr int32_t kCharWidth = 10;

std::vector<TextLine> Layout(std::string_view text, uint32_t format, int64_t width,
                             int32_t tab_width = 80) {
  const std::u32string decoded = DecodeUtf8(text);
  LineBreaker breaker(decoded, format, width, tab_width, [](char32_t) { return kCharWidth; });
  std::vector<TextLine> lines;
  while (auto line = breaker.Next()) lines.push_back(std::move(*line));
  return lines;
}

std::vector<std::string> Texts(std::string_view text, uint32_t format, int64_t width) {
  std::vector<std::string> out;
  for (const TextLine& line : Layout(text, format, width)) {
    std::string s;
    for (char32_t c : line.chars) s.push_back(char(c));
    out.push_back(s);
  }
  return out;
}

using Lines = std::vector<std::string>;

TEST(LineBreaker, WithoutWordBreakOnlyLineEndsSplit) {
  EXPECT_EQ(Texts("aaa bbb ccc", 0, 30), Lines({"aaa bbb ccc"}));
  EXPECT_EQ(Texts("aaa\nbbb", 0, 1000), Lines({"aaa", "bbb"}));
}

TEST(LineBreaker, WordBreakFillsLinesGreedily) {
  EXPECT_EQ(Texts("aaa bbb ccc", kDtWordBreak, 70), Lines({"aaa bbb", "ccc"}));
  EXPECT_EQ(Texts("aaa bbb ccc", kDtWordBreak, 1000), Lines({"aaa bbb ccc"}));
  EXPECT_EQ(Texts("a b c", kDtWordBreak, 10), Lines({"a", "b", "c"}));
}

TEST(LineBreaker, LongWordOverflowsInsteadOfBreaking) {
  const std::vector<TextLine> lines = Layout("a verylongword b", kDtWordBreak, 50);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].chars, U"verylongword");
  EXPECT_EQ(lines[1].Width(), 120);
  EXPECT_EQ(Texts("a verylongword b", kDtWordBreak, 50), Lines({"a ", "verylongword", "b"}));
  // A box of no width puts every word on a line of its own, whole.
  EXPECT_EQ(Texts("abc def", kDtWordBreak, 0), Lines({"abc", "def"}));
  EXPECT_EQ(Texts("abc def", kDtWordBreak, -40), Lines({"abc", "def"}));
}

TEST(LineBreaker, EveryLineEndFormIsOneBreak) {
  EXPECT_EQ(Texts("a\rb\nc\r\nd\n\re", 0, 1000), Lines({"a", "b", "c", "d", "e"}));
  EXPECT_EQ(Texts("a\n\nb", 0, 1000), Lines({"a", "", "b"}));
  EXPECT_EQ(Texts("a\r\rb", 0, 1000), Lines({"a", "", "b"}));
  EXPECT_EQ(Texts("a\r\n\r\nb", 0, 1000), Lines({"a", "", "b"}));
  EXPECT_EQ(Texts("a\r\n\n\rb", 0, 1000), Lines({"a", "", "b"}));
  // A final line end opens no further line.
  EXPECT_EQ(Texts("a\n", 0, 1000), Lines({"a"}));
}

TEST(LineBreaker, EmptyTextAndTextOfOnlyBreaks) {
  EXPECT_TRUE(Texts("", kDtWordBreak, 100).empty());
  EXPECT_EQ(Texts("\r\n", kDtWordBreak, 100), Lines({""}));
  EXPECT_EQ(Texts("\n\n", kDtWordBreak, 100), Lines({"", ""}));
  EXPECT_EQ(Texts("\r\n\r\n\r\n", kDtWordBreak, 100), Lines({"", "", ""}));
}

TEST(LineBreaker, TrailingSpacesThatFitStayOnLeftAlignedLines) {
  // "aaa bbb " is 80 wide: the space after bbb fits and stays.
  const std::vector<TextLine> left = Layout("aaa bbb ccc", kDtWordBreak, 80);
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].chars, U"aaa bbb ");
  EXPECT_EQ(left[0].Width(), 80);
  EXPECT_EQ(Texts("aaa  bbb", kDtWordBreak, 50), Lines({"aaa  ", "bbb"}));
}

TEST(LineBreaker, CentredAndRightLinesKeepAllButOneTrailingSpace) {
  for (uint32_t align : {kDtCenter, kDtRight}) {
    EXPECT_EQ(Texts("aaa bbb ccc", kDtWordBreak | align, 80), Lines({"aaa bbb", "ccc"}));
    EXPECT_EQ(Texts("aaa  bbb", kDtWordBreak | align, 50), Lines({"aaa ", "bbb"}));
    // Only one space is swallowed at the break: a second one starts the next line.
    EXPECT_EQ(Texts("aaa  bbb", kDtWordBreak | align, 40), Lines({"aaa", " bbb"}));
  }
  // Left-aligned, the same text keeps the fitting space and swallows the other.
  EXPECT_EQ(Texts("aaa  bbb", kDtWordBreak, 40), Lines({"aaa ", "bbb"}));
}

TEST(LineBreaker, BreakRightBeforeALineEndLeavesAnEmptyLine) {
  EXPECT_EQ(Texts("aaa \nb", kDtWordBreak, 30), Lines({"aaa", "", "b"}));
  // At the end of the text nothing follows.
  EXPECT_EQ(Texts("aaa bbb", kDtWordBreak, 30), Lines({"aaa", "bbb"}));
}

TEST(LineBreaker, SingleLineIgnoresWordBreakAndLineEnds) {
  EXPECT_EQ(Texts("aa bb\ncc", kDtSingleLine | kDtWordBreak, 10), Lines({"aa bbcc"}));
}

TEST(LineBreaker, AmpersandMarksTheAcceleratorCharacter) {
  std::vector<TextLine> lines = Layout("&File", 0, 1000);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].chars, U"File");
  EXPECT_EQ(lines[0].prefix, 0);

  lines = Layout("a&&b", 0, 1000);
  EXPECT_EQ(lines[0].chars, U"a&b");
  EXPECT_EQ(lines[0].prefix, -1);

  lines = Layout("&&&x", 0, 1000);
  EXPECT_EQ(lines[0].chars, U"&x");
  EXPECT_EQ(lines[0].prefix, 1);

  // Only the first accelerator of a line is marked.
  lines = Layout("&a &b", 0, 1000);
  EXPECT_EQ(lines[0].chars, U"a b");
  EXPECT_EQ(lines[0].prefix, 0);

  lines = Layout("&a", kDtNoPrefix, 1000);
  EXPECT_EQ(lines[0].chars, U"&a");
  EXPECT_EQ(lines[0].prefix, -1);
}

TEST(LineBreaker, AmpersandAtTheEndOrBeforeALineEnd) {
  EXPECT_EQ(Texts("ab&", 0, 1000), Lines({"ab&"}));
  const std::vector<TextLine> lines = Layout("a&\nb", 0, 1000);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].chars, U"a");
  EXPECT_EQ(lines[0].prefix, -1);
  EXPECT_EQ(lines[1].prefix, -1);
}

TEST(LineBreaker, AcceleratorFollowsItsWordToTheNextLine) {
  const std::vector<TextLine> lines = Layout("aa &bb", kDtWordBreak, 30);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].prefix, -1);
  EXPECT_EQ(lines[1].chars, U"bb");
  EXPECT_EQ(lines[1].prefix, 0);
}

TEST(LineBreaker, TabsAndControlCharacters) {
  // Without tab expansion a tab is as wide as a space.
  std::vector<TextLine> lines = Layout("a\tb", 0, 1000);
  EXPECT_EQ(lines[0].offsets, (std::vector<int64_t>{0, 10, 20, 30}));
  // Expanded, it moves on to the next tab stop.
  lines = Layout("a\tb", kDtExpandTabs, 1000, 80);
  EXPECT_EQ(lines[0].offsets, (std::vector<int64_t>{0, 10, 80, 90}));
  // Other control characters are not drawn and take no room.
  lines = Layout(std::string_view("a\x01\x7f\0b", 5), 0, 1000);
  EXPECT_EQ(lines[0].chars, U"ab");
}

TEST(LineBreaker, OffsetsAddUpTheAdvances) {
  const std::vector<TextLine> lines = Layout("abc", 0, 1000);
  EXPECT_EQ(lines[0].offsets, (std::vector<int64_t>{0, 10, 20, 30}));
  EXPECT_EQ(lines[0].Width(), 30);
}

TEST(LineBreaker, LongTextEndsWithEveryCharacterPlaced) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "word ";
  size_t characters = 0;
  size_t count = 0;
  for (const TextLine& line : Layout(text, kDtWordBreak | kDtCenter, 95)) {
    characters += line.chars.size();
    ++count;
  }
  EXPECT_EQ(count, 20000u / 2);
  EXPECT_EQ(characters, 20000u / 2 * 9);  // "word word" on each line
}

}  // namespace
}  // namespace velmorant::platform
