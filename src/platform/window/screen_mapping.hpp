#pragma once

#include <cstdint>

#include "platform/gfx/geometry.hpp"
#include "platform/window/scale_mode.hpp"

namespace velmorant::platform {

// How the real pixels between the screen's pixels are made: copies of the nearest one, or
// sharp-bilinear (the nearest enlargement by the whole part of the factor, then linear to the rest,
// so that edges stay sharp where the factor is not whole).
enum class ScreenFilter { kNearest, kSharpBilinear };

// Where the screen the player's windows live on (the virtual screen) appears among the real
// window's pixels, and the way back for the pointer.
struct ScreenMapping {
  Size screen;
  Rect output;
  ScreenFilter filter = ScreenFilter::kNearest;

  // The whole real window of `output_pixels` shows the screen (the same size, or its pixels on a
  // high-density display), to the nearest pixel.
  static ScreenMapping Filling(Size screen, Size output_pixels);
  // The screen scaled into a real window of `output_pixels` as `mode` says. A screen without a
  // size, and kNone, fill the window.
  static ScreenMapping Scaled(ScaleMode mode, Size screen, Size output_pixels);

  bool IsOneToOne() const {
    return output.left == 0 && output.top == 0 && output.Width() == screen.width &&
           output.Height() == screen.height;
  }
  // The screen pixel a real pixel shows: the one under its centre. Pixels beside the output land
  // outside the screen.
  Point ToScreen(Point pixel) const;
  // The real pixels that show a rectangle of the screen (to the nearest pixel).
  Rect ToOutput(const Rect& rect) const;
  // The whole part of each factor, at least 1: the first step of sharp-bilinear.
  Size WholeFactors() const;
};

}  // namespace velmorant::platform
