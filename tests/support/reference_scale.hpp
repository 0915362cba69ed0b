// The scaled screen written out plainly in floating point, one output pixel at a time: what the
// desktop's scaler (lookup tables, fixed-point weights, cached rows) must come close to.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/gfx/bitmap.hpp"
#include "platform/window/screen_mapping.hpp"

namespace velmorant::testing {

// Along one axis: output pixel i of `output` shows screen pixels a and b of `screen`, b with
// weight f.
struct ReferenceTap {
  int32_t a = 0;
  int32_t b = 0;
  double f = 0;
};

inline ReferenceTap ReferenceTapAt(int32_t i, int32_t screen, int32_t output,
                                   platform::ScreenFilter filter) {
  const double centre = (i + 0.5) * screen / output;
  if (filter == platform::ScreenFilter::kNearest) {
    const auto p = int32_t(std::floor(centre));
    return {p, p, 0};
  }
  // Enlarged k times by copies, then linear between the centres of the enlarged pixels.
  const int32_t k = std::max(1, output / screen);
  const double p = centre * k - 0.5;
  const double left = std::floor(p);
  const auto clamped = [&](double v) { return int32_t(std::clamp(v, 0.0, k * screen - 1.0)) / k; };
  return {clamped(left), clamped(left + 1), p - left};
}

// The real window's pixels inside `mapping.output` for a picture of the screen.
inline platform::Pixel ReferencePixel(const platform::Bitmap& picture,
                                      const platform::ScreenMapping& m, int32_t x, int32_t y) {
  const ReferenceTap tx =
      ReferenceTapAt(x - m.output.left, m.screen.width, int32_t(m.output.Width()), m.filter);
  const ReferenceTap ty =
      ReferenceTapAt(y - m.output.top, m.screen.height, int32_t(m.output.Height()), m.filter);
  platform::Pixel out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const auto channel = [&](int32_t px, int32_t py) {
      return double((picture.At(px, py) >> shift) & 0xFF);
    };
    const double top = channel(tx.a, ty.a) * (1 - tx.f) + channel(tx.b, ty.a) * tx.f;
    const double bottom = channel(tx.a, ty.b) * (1 - tx.f) + channel(tx.b, ty.b) * tx.f;
    const double v = top * (1 - ty.f) + bottom * ty.f;
    out |= platform::Pixel(std::lround(v)) << shift;
  }
  return out;
}

// The largest difference of one colour channel between two pixels.
inline int ChannelDistance(platform::Pixel p, platform::Pixel q) {
  int most = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    most = std::max(most, std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)));
  }
  return most;
}

}  // namespace velmorant::testing
