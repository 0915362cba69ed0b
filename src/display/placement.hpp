#pragma once

#include <cstdint>

#include "platform/gfx/geometry.hpp"

namespace velmorant {

// The placement rule of every element: `rect` holds the element's natural size in right and
// bottom; x and y are percentages of the client size, or -3 left, -2 centred, -1 right; w and h
// are percentages of the client size, below 1 keeping the natural size. 32-bit arithmetic wraps
// as the presentations were made with.
void Place(int32_t x, int32_t y, int32_t w, int32_t h, platform::Rect& rect, platform::Size client);

}  // namespace velmorant
