#pragma once

#include <cstdint>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// A classic vertical scroll bar: an arrow button at each end, a dotted track between them and a
// thumb whose size and place show the part of the content in view.
class VerticalScrollBar {
 public:
  static constexpr int32_t kWidth = 17;

  enum class Part { kNone, kUpArrow, kPageUp, kThumb, kPageDown, kDownArrow };

  // The bar fills `area`; `content` pixels of which `view` show, scrolled down by `position`.
  VerticalScrollBar(const Rect& area, int64_t content, int64_t view, int64_t position);

  Part PartAt(Point p) const;
  Rect Thumb() const { return thumb_; }
  // The scroll position that puts the thumb's top at `top` (clamped to the track).
  int64_t PositionForThumbAt(int64_t top) const;
  void Paint(Bitmap& target) const;

 private:
  Rect area_;
  Rect thumb_;
  int32_t arrow_ = kWidth;
  int64_t room_ = 0;  // track pixels the thumb can move
  int64_t most_ = 0;  // the largest position
};

}  // namespace velmorant::platform
