#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/text/rich_document.hpp"
#include "platform/text/rich_fonts.hpp"

namespace velmorant::platform {

// Pixels at 96 an inch.
inline int32_t TwipsToPixels(int32_t twips) {
  return twips / 15;
}

struct LayoutLine {
  uint32_t start = 0;  // characters [start, end) of the document
  uint32_t end = 0;
  int32_t top = 0;
  int32_t height = 0;
  int32_t ascent = 0;  // from the top to the baseline
  int32_t x = 0;       // where the line's first character stands
};

// A document laid out in lines of a given width, as a word-wrapping rich-text control lays it:
// lines break after spaces, a word wider than the line breaks between characters, tabs go to
// the paragraph's stops and then every half inch, line heights follow the tallest font or
// picture on the line. Justified paragraphs are set flush left.
class RichLayout {
 public:
  RichLayout(const RichDocument& doc, RichFonts& fonts, int32_t width);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  const std::vector<LayoutLine>& Lines() const { return lines_; }

  // The line holding the point's height: the first above the text, the last below it.
  size_t LineAt(int32_t y) const;
  // The character under a point (EM_CHARFROMPOS): past a line's end its last character; above or
  // below the text, the one at that x on the first or the last line; 0 for an empty document.
  int32_t CharAt(Point p) const;
  // Where character p stands on its line.
  int32_t CharX(size_t p) const { return char_x_[p]; }
  int32_t CharWidth(size_t p) const { return char_width_[p]; }

  // Paints the lines that cross `clip` with the text area's top-left corner at `origin`.
  void Paint(Bitmap& target, Point origin, const Rect& clip) const;
  // Paints lines [first, end) `scale` times larger than laid out, in `fonts` opened at that scale,
  // with the text area's top-left corner at `origin` (printing at a printer's resolution).
  void PaintScaled(Bitmap& target, Point origin, size_t first, size_t end, int32_t scale,
                   RichFonts& fonts) const;

 private:
  void LayOutParagraph(size_t index, int32_t& y);
  void FinishLine(uint32_t start, uint32_t end, int32_t x0, int32_t available,
                  const ParagraphStyle& paragraph, int32_t& y);
  int32_t Advance(size_t p, int32_t x, int32_t line_left, const ParagraphStyle& paragraph);
  void PaintLine(Bitmap& target, const LayoutLine& line, Point origin, const Rect& clip,
                 int32_t scale, RichFonts& fonts) const;

  const RichDocument& doc_;
  RichFonts& fonts_;
  int32_t width_;
  int32_t height_ = 0;
  std::vector<LayoutLine> lines_;
  std::vector<int32_t> char_x_;  // from the line's start
  std::vector<int32_t> char_width_;
};

}  // namespace velmorant::platform
