#pragma once

#include <cstdint>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/text/font.hpp"
#include "platform/text/line_breaker.hpp"

namespace velmorant::platform {

// Fills [left, right) x [top, bottom) with `colour`, only inside `clip` (which must lie inside
// the target).
void FillClipped(Bitmap& target, int64_t left, int64_t top, int64_t right, int64_t bottom,
                 Pixel colour, const Rect& clip);

// Paints a laid-out line with its cell's top-left corner at (x, top), as ExtTextOut does with a
// transparent background: the glyphs, then the font's underline and strike-out across the line,
// all in `colour`, only inside `clip`.
void PaintLine(Bitmap& target, const Font& font, const TextLine& line, int64_t x, int64_t top,
               Pixel colour, const Rect& clip);

}  // namespace velmorant::platform
