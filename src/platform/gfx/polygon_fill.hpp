#pragma once

#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// A point of a shape in pixel coordinates, not yet rounded.
struct PointF {
  double x = 0;
  double y = 0;
};

// How overlapping parts of a shape are filled, as the Windows polygon fill modes say: every other
// crossing (ALTERNATE), or wherever the outline winds around (WINDING).
enum class FillRule { kEvenOdd, kNonZero };

// Fills the pixels whose centres lie inside the closed shapes `rings` with `colour`, within
// `clip` and the bitmap. Any number of points, however wild, is safe; a ring of fewer than three
// points fills nothing.
void FillPolygon(Bitmap& target, const std::vector<std::vector<PointF>>& rings, FillRule rule,
                 Pixel colour, const Rect& clip);

}  // namespace velmorant::platform
