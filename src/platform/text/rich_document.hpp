#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.hpp"

namespace velmorant::platform {

// Characters of a document's text that are not letters.
inline constexpr char32_t kParagraphMark = U'\r';
inline constexpr char32_t kLineBreak = U'\v';
inline constexpr char32_t kObjectMark = U'\uFFFC';  // where a picture stands

enum class Alignment : uint8_t { kLeft, kCentre, kRight, kJustify };

struct RichFont {
  std::string name;  // UTF-8
  uint8_t charset = 1;
  friend bool operator==(const RichFont&, const RichFont&) = default;
};

struct CharStyle {
  uint16_t font = 0;  // index into RichDocument::fonts
  int32_t half_points = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  Pixel colour = 0;
  // The baseline raised by this many half points (lowered when negative): raised and lowered
  // text.
  int32_t rise = 0;
  friend bool operator==(const CharStyle&, const CharStyle&) = default;
};

// A style's rise in pixels at 96 an inch.
inline int32_t RisePixels(const CharStyle& style) {
  return style.rise * 2 / 3;
}

// Lengths in twips (1/1440 inch).
struct ParagraphStyle {
  Alignment alignment = Alignment::kLeft;
  int32_t left_indent = 0;
  int32_t right_indent = 0;
  int32_t first_indent = 0;  // of the first line, from the left indent
  int32_t space_before = 0;
  int32_t space_after = 0;
  std::vector<int32_t> tab_stops;  // ascending
  friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

// A stretch of the text from `start` up to the next run's start, in one style.
struct StyleRun {
  uint32_t start = 0;
  uint32_t style = 0;
};

struct RichPicture {
  uint32_t position = 0;                  // of its kObjectMark
  std::shared_ptr<const Bitmap> picture;  // at the size it is shown
};

// A formatted text as a rich-text control holds it: characters, each with a character style,
// grouped in paragraphs that end with a kParagraphMark (the last may lack one), pictures standing
// on kObjectMark characters.
struct RichDocument {
  std::u32string text;
  std::vector<RichFont> fonts;  // never empty once read
  std::vector<CharStyle> char_styles;
  std::vector<StyleRun> char_runs;  // the first starts at 0; none when the text is empty
  std::vector<ParagraphStyle> paragraph_styles;
  std::vector<StyleRun> paragraphs;   // starts of the paragraphs, the first at 0
  std::vector<RichPicture> pictures;  // by position

  size_t Length() const { return text.size(); }
  // The style of character p (p < Length()).
  const CharStyle& StyleAt(size_t p) const;
  // The index into char_runs of the run holding character p.
  size_t RunAt(size_t p) const;
  const RichPicture* PictureAt(size_t p) const;
};

// A phrase: an underlined stretch [start, end) of the text.
struct Phrase {
  int32_t start = 0;
  int32_t end = 0;
  friend bool operator==(const Phrase&, const Phrase&) = default;
};

// The underlined runs of characters in document order, at most `limit` of them. A run that
// reaches the end of the document is a phrase too.
std::vector<Phrase> FindPhrases(const RichDocument& doc, size_t limit);

}  // namespace velmorant::platform
