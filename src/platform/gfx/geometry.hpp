#pragma once

#include <algorithm>
#include <cstdint>

namespace velmorant::platform {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Windows-style rectangle: right and bottom are exclusive unless a caller says otherwise.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  // Widths are computed in 64 bits: rectangles from a presentation file may be absurd.
  int64_t Width() const { return int64_t{right} - left; }
  int64_t Height() const { return int64_t{bottom} - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Rect Offset(int32_t dx, int32_t dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  Rect Intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    if (r.IsEmpty()) return {};
    return r;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace velmorant::platform
