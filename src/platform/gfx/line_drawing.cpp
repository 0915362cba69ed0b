#include "platform/gfx/line_drawing.hpp"

#include <algorithm>
#include <cstdlib>

namespace velmorant::platform {

namespace {

using Wide = __int128;

// Octants are numbered 1..8 clockwise from +x (y grows downwards); one bit each.
unsigned OctantMask(int64_t dx, int64_t dy) {
  int octant = 0;
  if (dy > 0) {
    if (dx > 0) {
      octant = dx > dy ? 1 : 2;
    } else {
      octant = -dx > dy ? 4 : 3;
    }
  } else if (dx < 0) {
    octant = -dx > -dy ? 5 : 6;
  } else {
    octant = dx > -dy ? 8 : 7;
  }
  return 1u << (octant - 1);
}

constexpr unsigned kBiasedOctants = 0xb4;  // 3, 5, 6 and 8 round their ties the other way
constexpr unsigned kXMajorOctants = 0x99;
constexpr unsigned kXIncreasingOctants = 0xc3;
constexpr unsigned kYIncreasingOctants = 0x0f;

// floor((2*k*minor + major - 1 + bias) / (2*major)); 128-bit only when 64 bits could overflow.
int64_t MinorSteps(int64_t k, int64_t minor, int64_t major, int64_t bias) {
  if (minor == 0) return 0;  // the frames' lines: horizontal or vertical
  constexpr int64_t kSmall = int64_t{1} << 30;
  if (k < kSmall && minor < kSmall && major < kSmall) {
    return (2 * k * minor + major - 1 + bias) / (2 * major);
  }
  return int64_t((Wide(2) * k * minor + major - 1 + bias) / (Wide(2) * major));
}

}  // namespace

void DrawLine(Bitmap& target, const Rect& area, Point from, Point to, Pixel colour) {
  const Rect clip = area.Intersect(target.Bounds());
  const int64_t dx = int64_t{to.x} - from.x;
  const int64_t dy = int64_t{to.y} - from.y;
  if ((dx == 0 && dy == 0) || clip.IsEmpty()) return;

  const unsigned octant = OctantMask(dx, dy);
  const int64_t bias = (octant & kBiasedOctants) ? 1 : 0;
  const bool x_major = (octant & kXMajorOctants) != 0;
  const int64_t x_inc = (octant & kXIncreasingOctants) ? 1 : -1;
  const int64_t y_inc = (octant & kYIncreasingOctants) ? 1 : -1;
  const int64_t major_len = x_major ? std::llabs(dx) : std::llabs(dy);
  const int64_t minor_len = x_major ? std::llabs(dy) : std::llabs(dx);
  const int64_t major_start = x_major ? from.x : from.y;
  const int64_t minor_start = x_major ? from.y : from.x;
  const int64_t major_inc = x_major ? x_inc : y_inc;
  const int64_t minor_inc = x_major ? y_inc : x_inc;
  const int64_t major_lo = x_major ? clip.left : clip.top;
  const int64_t major_hi = x_major ? clip.right : clip.bottom;
  const int64_t minor_lo = x_major ? clip.top : clip.left;
  const int64_t minor_hi = x_major ? clip.bottom : clip.right;

  // Step k is at major_start + major_inc*k; keep only the steps inside the picture.
  int64_t k_begin = 0;
  int64_t k_end = major_len;
  if (major_inc > 0) {
    k_begin = std::max(k_begin, major_lo - major_start);
    k_end = std::min(k_end, major_hi - major_start);
  } else {
    k_begin = std::max(k_begin, major_start - major_hi + 1);
    k_end = std::min(k_end, major_start - major_lo + 1);
  }
  const Pixel value = colour & 0xFFFFFFu;
  for (int64_t k = k_begin; k < k_end; ++k) {
    // Closed form of the error-term walk: minor steps taken before step k.
    const int64_t n = MinorSteps(k, minor_len, major_len, bias);
    const int64_t minor = minor_start + minor_inc * n;
    if (minor < minor_lo || minor >= minor_hi) continue;
    const int64_t major = major_start + major_inc * k;
    if (x_major) {
      target.Set(int32_t(major), int32_t(minor), value);
    } else {
      target.Set(int32_t(minor), int32_t(major), value);
    }
  }
}

}  // namespace velmorant::platform
