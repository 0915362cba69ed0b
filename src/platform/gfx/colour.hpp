#pragma once

#include <cstdint>

#include "platform/gfx/bitmap.hpp"

namespace velmorant::platform {

// A colour as presentation files store it: 0x00BBGGRR, or a system colour (negative, i.e.
// 0x80000000 | index, or 0xFF000000 | index in later files).
using ColorRef = int32_t;

// Classic Windows default of a system colour index (COLOR_WINDOW, COLOR_INFOBK, ...).
Pixel SystemColour(int index);

// ColorRef to pixel; system colours resolve to their classic defaults.
Pixel ToPixel(ColorRef c);

inline constexpr Pixel Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return (Pixel{r} << 16) | (Pixel{g} << 8) | Pixel{b};
}

inline constexpr ColorRef kClInfoBk = int32_t(0x80000000u | 24u);
inline constexpr Pixel kBlack = 0x000000;
inline constexpr Pixel kWhite = 0xFFFFFF;

}  // namespace velmorant::platform
