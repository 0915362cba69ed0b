#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant {

// Coordinates computed from a presentation's rectangles may leave the 32-bit range; they are
// saturated rather than wrapped (wrapping is undefined and would draw in the wrong place).
inline int32_t SaturateToInt32(int64_t v) {
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  return int32_t(v < kMin ? kMin : (v > kMax ? kMax : v));
}

// Truncation toward zero, saturated; NaN gives 0.
inline int32_t TruncToInt32(double v) {
  if (std::isnan(v)) return 0;
  if (v <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  if (v >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  return int32_t(v);
}

inline platform::Rect MakeRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  return {SaturateToInt32(left), SaturateToInt32(top), SaturateToInt32(right),
          SaturateToInt32(bottom)};
}

inline platform::Rect OffsetSaturated(const platform::Rect& r, int64_t dx, int64_t dy) {
  return MakeRect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
}

using platform::FitsBitmap;

}  // namespace velmorant
