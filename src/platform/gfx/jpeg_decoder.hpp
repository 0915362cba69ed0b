#pragma once

#include <cstdint>
#include <span>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/decode_result.hpp"

namespace velmorant::platform {

// Decodes a baseline or progressive JPEG file held in memory (grey or colour; CMYK is refused).
// Pictures of more than `max_pixels` pixels are refused before any pixel is decoded.
DecodeResult<Bitmap> DecodeJpeg(std::span<const uint8_t> file,
                                int64_t max_pixels = kMaxBitmapPixels);

}  // namespace velmorant::platform
