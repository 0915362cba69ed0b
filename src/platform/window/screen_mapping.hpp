#pragma once

#include <cstdint>

#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// Where the screen the player's windows live on (the virtual screen) appears among the real
// window's pixels, and the way back for the pointer. Sizes that differ are scaled to the nearest
// pixel, never blurred. Today the output is always the whole real window (the same size, or its
// pixels on a high-density display); scaled modes choose another output rectangle.
struct ScreenMapping {
  Size screen;
  Rect output;

  // The whole real window of `output_pixels` shows the screen.
  static ScreenMapping Filling(Size screen, Size output_pixels) {
    return {screen, {0, 0, output_pixels.width, output_pixels.height}};
  }
  bool IsOneToOne() const {
    return output.left == 0 && output.top == 0 && output.Width() == screen.width &&
           output.Height() == screen.height;
  }
  // The screen point under a pixel of the real window; points beside the output land outside.
  Point ToScreen(Point pixel) const {
    return {Scale(pixel.x - output.left, screen.width, output.Width()),
            Scale(pixel.y - output.top, screen.height, output.Height())};
  }

 private:
  // Floor of v * to / from, exact for negative v too.
  static int32_t Scale(int64_t v, int64_t to, int64_t from) {
    if (from <= 0) return 0;
    const int64_t n = v * to;
    return int32_t(n >= 0 ? n / from : -((-n + from - 1) / from));
  }
};

}  // namespace velmorant::platform
