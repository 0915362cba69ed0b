#pragma once

#include <cstdint>
#include <string_view>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/text/font.hpp"
#include "platform/text/font_request.hpp"

namespace velmorant::platform {

// The hint label sits this far inside its panel on every side.
inline constexpr int32_t kHintLabelInset = 2;

// The hint label's font: the form's default GUI font.
inline FontRequest HintFontRequest() {
  return DefaultGuiFontRequest();
}

// Size of a word-wrapped, auto-sized label (TLabel with WordWrap and AutoSize): the widest line
// wrapped at `max_width` (a longer word widens it) by the number of lines times the line height.
// An empty text measures as one space, as the label does.
Size HintLabelSize(const Font& font, std::string_view utf8, int32_t max_width);

// Paints the label's background and text with its top-left corner at `at`.
void DrawHintLabel(Bitmap& target, Point at, const Font& font, std::string_view utf8,
                   int32_t max_width, Pixel text_colour, Pixel background);

// The whole hint panel: clInfoBk, black text, the label at (2, 2), 4 pixels wider and taller than
// the label. Panels too large for a bitmap are cut to fit.
Bitmap RenderHintPanel(const Font& font, std::string_view utf8, int32_t max_label_width);

}  // namespace velmorant::platform
