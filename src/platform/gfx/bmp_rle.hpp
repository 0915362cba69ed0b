#pragma once

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/bmp_layout.hpp"

namespace velmorant::platform {

// Decodes BI_RLE8 and BI_RLE4 streams as Windows draws them into a fresh bitmap: pixels the
// stream skips (deltas, early end of line or of bitmap, a missing end marker) stay black; runs and
// deltas that pass the right edge are clipped, never wrapped; codes after the last row are
// ignored; a stream that ends inside a code keeps what it drew.
Bitmap DecodeBmpRle(const BmpLayout& layout);

}  // namespace velmorant::platform
