#include "platform/text/glyph_painter.hpp"

#include <algorithm>

namespace velmorant::platform {

namespace {

void PaintGlyph(Bitmap& target, const Glyph& glyph, int64_t left, int64_t top, Pixel colour,
                const Rect& clip) {
  const int64_t col_begin = std::max<int64_t>(0, clip.left - left);
  const int64_t col_end = std::min<int64_t>(glyph.width, clip.right - left);
  const int64_t row_begin = std::max<int64_t>(0, clip.top - top);
  const int64_t row_end = std::min<int64_t>(glyph.rows, clip.bottom - top);
  for (int64_t row = row_begin; row < row_end; ++row) {
    for (int64_t col = col_begin; col < col_end; ++col) {
      if (glyph.Covers(int32_t(col), int32_t(row))) {
        target.Set(int32_t(left + col), int32_t(top + row), colour);
      }
    }
  }
}

// A decoration line whose position counts up from the baseline, centred on it as GDI centres it.
void PaintDecoration(Bitmap& target, int64_t x, int64_t width, int64_t baseline, int32_t position,
                     int32_t thickness, Pixel colour, const Rect& clip) {
  const int64_t top = baseline - position - thickness / 2;
  FillClipped(target, x, top, x + width, top + thickness, colour, clip);
}

}  // namespace

void FillClipped(Bitmap& target, int64_t left, int64_t top, int64_t right, int64_t bottom,
                 Pixel colour, const Rect& clip) {
  const int64_t l = std::max<int64_t>(left, clip.left);
  const int64_t r = std::min<int64_t>(right, clip.right);
  const int64_t t = std::max<int64_t>(top, clip.top);
  const int64_t b = std::min<int64_t>(bottom, clip.bottom);
  for (int64_t y = t; y < b; ++y) {
    for (int64_t x = l; x < r; ++x) target.Set(int32_t(x), int32_t(y), colour);
  }
}

void PaintLine(Bitmap& target, const Font& font, const TextLine& line, int64_t x, int64_t top,
               Pixel colour, const Rect& clip) {
  if (!font.HasFace() || clip.IsEmpty()) return;
  const TextMetrics& m = font.Metrics();
  // Glyphs may reach out of their cell (accents, slanted letters), but not by more than this.
  const int64_t overhang = int64_t{font.PixelsPerEm()} * 2;
  if (top - overhang >= clip.bottom || top + m.height + overhang <= clip.top) return;
  const int64_t baseline = top + m.ascent;
  for (size_t i = 0; i < line.chars.size(); ++i) {
    const char32_t c = line.chars[i];
    if (c == U'\t' || c == U' ') continue;
    const int64_t pen = x + line.offsets[i];
    if (pen > clip.right + overhang) break;
    if (x + line.offsets[i + 1] < clip.left - overhang) continue;
    const std::shared_ptr<const Glyph> glyph = font.GlyphFor(c);
    PaintGlyph(target, *glyph, pen + glyph->left, baseline - glyph->top, colour, clip);
  }
  if (font.Underlined()) {
    PaintDecoration(target, x, line.Width(), baseline, m.underline_position, m.underline_thickness,
                    colour, clip);
  }
  if (font.StruckOut()) {
    PaintDecoration(target, x, line.Width(), baseline, m.strikeout_position, m.strikeout_thickness,
                    colour, clip);
  }
}

}  // namespace velmorant::platform
