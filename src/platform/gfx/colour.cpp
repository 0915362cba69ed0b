#include "platform/gfx/colour.hpp"

#include <array>

namespace velmorant::platform {

namespace {

// The classic Windows scheme, indexed by COLOR_* number.
constexpr std::array<Pixel, 31> kSystemColours = {
    Rgb(212, 208, 200),  // SCROLLBAR
    Rgb(58, 110, 165),   // BACKGROUND
    Rgb(10, 36, 106),    // ACTIVECAPTION
    Rgb(128, 128, 128),  // INACTIVECAPTION
    Rgb(212, 208, 200),  // MENU
    Rgb(255, 255, 255),  // WINDOW
    Rgb(0, 0, 0),        // WINDOWFRAME
    Rgb(0, 0, 0),        // MENUTEXT
    Rgb(0, 0, 0),        // WINDOWTEXT
    Rgb(255, 255, 255),  // CAPTIONTEXT
    Rgb(212, 208, 200),  // ACTIVEBORDER
    Rgb(212, 208, 200),  // INACTIVEBORDER
    Rgb(128, 128, 128),  // APPWORKSPACE
    Rgb(10, 36, 106),    // HIGHLIGHT
    Rgb(255, 255, 255),  // HIGHLIGHTTEXT
    Rgb(212, 208, 200),  // BTNFACE
    Rgb(128, 128, 128),  // BTNSHADOW
    Rgb(128, 128, 128),  // GRAYTEXT
    Rgb(0, 0, 0),        // BTNTEXT
    Rgb(212, 208, 200),  // INACTIVECAPTIONTEXT
    Rgb(255, 255, 255),  // BTNHIGHLIGHT
    Rgb(64, 64, 64),     // 3DDKSHADOW
    Rgb(212, 208, 200),  // 3DLIGHT
    Rgb(0, 0, 0),        // INFOTEXT
    Rgb(255, 255, 225),  // INFOBK
    Rgb(181, 181, 181),  // (unused)
    Rgb(0, 0, 128),      // HOTLIGHT
    Rgb(166, 202, 240),  // GRADIENTACTIVECAPTION
    Rgb(192, 192, 192),  // GRADIENTINACTIVECAPTION
    Rgb(49, 106, 197),   // MENUHILIGHT
    Rgb(236, 233, 216),  // MENUBAR
};

}  // namespace

Pixel SystemColour(int index) {
  if (index < 0 || size_t(index) >= kSystemColours.size()) return kBlack;
  return kSystemColours[size_t(index)];
}

Pixel ToPixel(ColorRef c) {
  const auto u = uint32_t(c);
  if (u & 0x80000000u) return SystemColour(int(u & 0xFFu));
  return Rgb(uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16));
}

}  // namespace velmorant::platform
