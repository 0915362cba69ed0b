#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/text/draw_text_flags.hpp"
#include "platform/text/font.hpp"

namespace velmorant::platform {

// DrawText: lays UTF-8 text out in `rect` with the kDt* format flags and draws it into `target` in
// `colour` (background left as it is). Lines are the font's height apart; kDtCenter and kDtRight
// align every line on its own. Drawing is clipped to `rect` and stops after the first line that
// reaches past its bottom, unless kDtNoClip. With kDtCalcRect nothing is drawn and `rect` becomes
// (left, top, left + widest line, top + lines x line height). Returns the height of the text.
int32_t DrawText(Bitmap& target, const Font& font, std::string_view utf8, Rect& rect,
                 uint32_t format, Pixel colour);

// DrawText with kDtCalcRect added, without a target.
Rect CalcTextRect(const Font& font, std::string_view utf8, Rect rect, uint32_t format);

// TextOut: one line of UTF-8 text with its cell's top-left corner at `at`, no layout ('&' and line
// ends are not special; control characters are left out), clipped to the target.
void TextOut(Bitmap& target, const Font& font, Point at, std::string_view utf8, Pixel colour);

}  // namespace velmorant::platform
