#pragma once

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/bmp_layout.hpp"

namespace velmorant::platform {

// Decodes uncompressed rows (BI_RGB, BI_BITFIELDS). `layout.pixels` holds every row.
Bitmap DecodeBmpRows(const BmpLayout& layout);

}  // namespace velmorant::platform
