#pragma once

#include <cstddef>

#include "platform/gfx/bitmap.hpp"

namespace velmorant::platform {

// The raster operations the player uses, as a canvas applies them to source and destination.
enum class CopyMode { kSrcCopy, kSrcAnd, kSrcPaint, kNotSrcCopy };

// dst[i] := mode(dst[i], src[i]) for n pixels; the ranges must not overlap.
void ApplyCopyMode(CopyMode mode, Pixel* dst, const Pixel* src, size_t n);

// dst[i] := (dst[i] AND mask[i]) OR picture[i]: SRCAND then SRCPAINT in one pass.
void ApplyMask(Pixel* dst, const Pixel* mask, const Pixel* picture, size_t n);

}  // namespace velmorant::platform
