#pragma once

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// A one-pixel line from `from` up to, but not including, `to`, with the Bresenham walk and the
// tie-breaking bias of the Windows one-pixel pen. Only the pixels inside `area` (a part of
// `target`) are touched, and the walk is limited to them, so far-away end points cost nothing.
void DrawLine(Bitmap& target, const Rect& area, Point from, Point to, Pixel colour);

}  // namespace velmorant::platform
