#include "platform/gfx/polygon_fill.hpp"

#include <algorithm>
#include <cmath>

namespace velmorant::platform {

namespace {

struct Crossing {
  double x;
  int winding;  // +1 going down, -1 going up
};

}  // namespace

void FillPolygon(Bitmap& target, const std::vector<std::vector<PointF>>& rings, FillRule rule,
                 Pixel colour, const Rect& clip_in) {
  const Rect clip = clip_in.Intersect(target.Bounds());
  if (clip.IsEmpty()) return;
  double top = INFINITY;
  double bottom = -INFINITY;
  for (const auto& ring : rings) {
    if (ring.size() < 3) continue;
    for (const PointF& p : ring) {
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
      top = std::min(top, p.y);
      bottom = std::max(bottom, p.y);
    }
  }
  if (top > bottom) return;
  const auto first = int32_t(std::max<double>(clip.top, std::floor(top)));
  const auto last = int32_t(std::min<double>(clip.bottom, std::ceil(bottom)));
  std::vector<Crossing> crossings;
  for (int32_t y = first; y < last; ++y) {
    const double cy = y + 0.5;
    crossings.clear();
    for (const auto& ring : rings) {
      if (ring.size() < 3) continue;
      for (size_t i = 0; i < ring.size(); ++i) {
        const PointF& a = ring[i];
        const PointF& b = ring[(i + 1) % ring.size()];
        // Half-open in y, so that a vertex shared by two edges counts once.
        if ((a.y <= cy) == (b.y <= cy)) continue;
        const double x = a.x + (cy - a.y) * (b.x - a.x) / (b.y - a.y);
        crossings.push_back({x, b.y > a.y ? 1 : -1});
      }
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
    int winding = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += crossings[i].winding;
      const bool inside = rule == FillRule::kEvenOdd ? (i % 2 == 0) : winding != 0;
      if (!inside) continue;
      // Pixels whose centres lie between the two crossings.
      const double from = std::ceil(crossings[i].x - 0.5);
      const double to = std::ceil(crossings[i + 1].x - 0.5);
      const auto left = int32_t(std::clamp<double>(from, clip.left, clip.right));
      const auto right = int32_t(std::clamp<double>(to, clip.left, clip.right));
      if (left >= right) continue;
      auto row = target.Row(y);
      std::fill(row.begin() + left, row.begin() + right, colour);
    }
  }
}

}  // namespace velmorant::platform
