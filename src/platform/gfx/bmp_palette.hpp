#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx/bmp_layout.hpp"

namespace velmorant::platform {

// Colour table entries are B, G, R (3 bytes, OS/2 1.x) or B, G, R, reserved (4 bytes). Reads at
// most 256 entries; the rest of the table is black.
BmpPalette ReadBmpPalette(std::span<const uint8_t> entries, size_t entry_size);

}  // namespace velmorant::platform
