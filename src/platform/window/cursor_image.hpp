#pragma once

#include <cstdint>
#include <vector>

namespace velmorant::platform {

// A cursor picture of our own: ARGB pixels (0xAARRGGBB, 0 = transparent) and the hot spot.
struct CursorImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t hot_x = 0;
  int32_t hot_y = 0;
  std::vector<uint32_t> argb;
};

// The multi-drag cursor: the arrow with a stack of sheets below its tail, hot spot at the tip.
CursorImage MultiDragCursor();
// The cursors the system draws on a screen shown as it is, drawn by us for a scaled one: the
// arrow, the pointing hand and the hourglass.
CursorImage ArrowCursor();
CursorImage HandCursor();
CursorImage HourglassCursor();

// The picture enlarged (or shrunk) by each factor to the nearest pixel; the hot spot stays on the
// same spot of the picture.
CursorImage ScaleCursor(const CursorImage& image, double x_factor, double y_factor);

}  // namespace velmorant::platform
