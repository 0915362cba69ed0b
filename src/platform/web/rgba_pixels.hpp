#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/gfx/bitmap.hpp"

namespace velmorant::platform {

// Pixels as a canvas takes them: R, G, B and an opaque alpha, 4 bytes each.
inline void PutRgba(const Pixel* from, size_t count, uint8_t* to) {
  for (size_t i = 0; i < count; ++i) {
    const Pixel p = from[i];
    to[0] = uint8_t(p >> 16);
    to[1] = uint8_t(p >> 8);
    to[2] = uint8_t(p);
    to[3] = 255;
    to += 4;
  }
}

}  // namespace velmorant::platform
