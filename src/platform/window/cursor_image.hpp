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

}  // namespace velmorant::platform
