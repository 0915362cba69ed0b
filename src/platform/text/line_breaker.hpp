#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmorant::platform {

// One line as DrawText lays it out.
struct TextLine {
  std::u32string chars;  // what is drawn: accelerator marks and control characters removed
  std::vector<int64_t>
      offsets;          // pen position of every character from the line start, then the end
  int32_t prefix = -1;  // the character underlined as the accelerator, or -1

  int64_t Width() const { return offsets.empty() ? 0 : offsets.back(); }
};

// Splits text into lines with the DrawText rules: CR, LF, CRLF and LFCR each end a line (not with
// kDtSingleLine); with kDtWordBreak lines break after spaces, a word wider than the line is kept
// whole; trailing spaces that fit stay on left-aligned lines, centred and right-aligned lines keep
// all but one of them, and one space at a break is swallowed. '&' marks accelerators unless
// kDtNoPrefix. Lines come one at a time so that callers may stop early.
class LineBreaker {
 public:
  using AdvanceFn = std::function<int32_t(char32_t)>;

  LineBreaker(std::u32string_view text, uint32_t format, int64_t width, int32_t tab_width,
              AdvanceFn advance);

  // The next line, or nothing when the text is used up (empty text has no lines).
  std::optional<TextLine> Next();

 private:
  struct Token {
    char32_t c;
    bool prefixed;
  };
  struct Cut {
    size_t length;    // tokens on the line
    size_t consumed;  // tokens used up, with a swallowed space
  };

  void ReadParagraph();
  Cut BreakAt(size_t fit, size_t available) const;
  int64_t AdvanceAt(char32_t c, int64_t x) const;
  void ExtendOffsets(std::vector<int64_t>& offsets, size_t count) const;
  bool IsSpace(size_t i) const { return paragraph_[next_ + i].c == U' '; }
  bool IsTabStop(size_t i) const { return expand_tabs_ && paragraph_[next_ + i].c == U'\t'; }

  std::u32string_view text_;
  bool single_line_;
  bool word_break_;
  bool keep_one_space_less_;  // centred and right-aligned lines
  bool expand_tabs_;
  bool prefixes_;
  int64_t width_;
  int32_t tab_width_;
  AdvanceFn advance_;

  size_t raw_ = 0;  // first character of text_ not yet read into a paragraph
  std::vector<Token> paragraph_;
  size_t next_ = 0;  // first token of paragraph_ not yet on a line
  bool in_paragraph_ = false;
  bool paragraph_has_line_end_ = false;
};

}  // namespace velmorant::platform
