#pragma once

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// A one-pixel line from `from` up to, but not including, `to`, with the Bresenham walk and the
// tie-breaking bias of the Windows one-pixel pen. Only the pixels inside `target` are touched,
// and the walk is limited to them, so far-away end points cost nothing.
void DrawLine(Bitmap& target, Point from, Point to, Pixel colour);

}  // namespace velmorant::platform
