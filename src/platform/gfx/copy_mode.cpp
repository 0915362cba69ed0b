#include "platform/gfx/copy_mode.hpp"

#include <cstring>

namespace velmorant::platform {

void ApplyCopyMode(CopyMode mode, Pixel* __restrict dst, const Pixel* __restrict src, size_t n) {
  switch (mode) {
    case CopyMode::kSrcCopy:
      if (n != 0) std::memcpy(dst, src, n * sizeof(Pixel));
      return;
    case CopyMode::kSrcAnd:
      for (size_t i = 0; i < n; ++i) dst[i] &= src[i];
      return;
    case CopyMode::kSrcPaint:
      for (size_t i = 0; i < n; ++i) dst[i] |= src[i];
      return;
    case CopyMode::kNotSrcCopy:
      // The top byte stays 0 so that pixels remain comparable as integers.
      for (size_t i = 0; i < n; ++i) dst[i] = ~src[i] & 0xFFFFFFu;
      return;
  }
}

void ApplyMask(Pixel* __restrict dst, const Pixel* __restrict mask, const Pixel* __restrict picture,
               size_t n) {
  for (size_t i = 0; i < n; ++i) dst[i] = (dst[i] & mask[i]) | picture[i];
}

}  // namespace velmorant::platform
