#include "platform/text/draw_text.hpp"

#include <algorithm>
#include <limits>

#include "platform/text/glyph_painter.hpp"
#include "platform/text/line_breaker.hpp"
#include "platform/text/utf8.hpp"

namespace velmorant::platform {

namespace {

int32_t Clamp32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

int64_t LineX(const Rect& rect, int64_t width, uint32_t format) {
  if (format & kDtCenter) return (int64_t{rect.left} + rect.right - width) / 2;
  if (format & kDtRight) return int64_t{rect.right} - width;
  return rect.left;
}

// The accelerator underline: one pixel high, one pixel short of the character's advance.
void PaintPrefix(Bitmap& target, const Font& font, const TextLine& line, int64_t x, int64_t top,
                 Pixel colour, const Rect& clip) {
  if (line.prefix < 0 || !font.HasFace()) return;
  const size_t i = size_t(line.prefix);
  const int64_t y = top + font.Metrics().ascent + 1;
  FillClipped(target, x + line.offsets[i], y, x + line.offsets[i + 1] - 1, y + 1, colour, clip);
}

int32_t RunDrawText(Bitmap* target, const Font& font, std::string_view utf8, Rect& rect,
                    uint32_t format, Pixel colour) {
  if (format & kDtSingleLine) format &= ~kDtWordBreak;
  const TextMetrics& m = font.Metrics();
  const int64_t line_height =
      m.height + ((format & kDtExternalLeading) ? int64_t{m.external_leading} : 0);
  const bool calc = (format & kDtCalcRect) != 0;

  if (utf8.empty()) {
    if (calc) {
      rect.right = rect.left;
      rect.bottom = Clamp32(rect.top + ((format & kDtSingleLine) ? line_height : 0));
    }
    return Clamp32(line_height);
  }
  if (calc) format |= kDtNoClip;

  const std::u32string text = DecodeUtf8(utf8);
  LineBreaker breaker(text, format, rect.Width(), m.ave_char_width * 8,
                      [&font](char32_t c) { return font.Advance(c); });

  Rect clip;
  if (target) {
    clip = (format & kDtNoClip) ? target->Bounds() : rect.Intersect(target->Bounds());
  }
  int64_t y = rect.top;
  int64_t widest = 0;
  for (;;) {
    const bool last_line = !(format & kDtNoClip) && y + line_height > rect.bottom;
    std::optional<TextLine> line = breaker.Next();
    if (!line) break;
    const int64_t x = LineX(rect, line->Width(), format);
    if (format & kDtSingleLine) {
      if (format & kDtVCenter) {
        y = rect.top + rect.Height() / 2 - line_height / 2;
      } else if (format & kDtBottom) {
        y = rect.bottom - line_height;
      }
    }
    if (calc) {
      widest = std::max(widest, line->Width());
    } else if (target) {
      PaintLine(*target, font, *line, x, y, colour, clip);
      PaintPrefix(*target, font, *line, x, y, colour, clip);
    }
    y += line_height;
    if (last_line) break;
  }

  if (calc) {
    rect.right = Clamp32(rect.left + widest);
    rect.bottom = Clamp32(y);
  }
  const int64_t height = y - rect.top;
  return height == 0 ? 1 : Clamp32(height);
}

}  // namespace

int32_t DrawText(Bitmap& target, const Font& font, std::string_view utf8, Rect& rect,
                 uint32_t format, Pixel colour) {
  return RunDrawText(&target, font, utf8, rect, format, colour);
}

void TextOut(Bitmap& target, const Font& font, Point at, std::string_view utf8, Pixel colour) {
  const std::u32string text = DecodeUtf8(utf8);
  LineBreaker breaker(text, kDtSingleLine | kDtNoPrefix, 0, 0,
                      [&font](char32_t c) { return font.Advance(c); });
  if (std::optional<TextLine> line = breaker.Next()) {
    PaintLine(target, font, *line, at.x, at.y, colour, target.Bounds());
  }
}

Rect CalcTextRect(const Font& font, std::string_view utf8, Rect rect, uint32_t format) {
  RunDrawText(nullptr, font, utf8, rect, format | kDtCalcRect, 0);
  return rect;
}

}  // namespace velmorant::platform
