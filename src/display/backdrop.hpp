#pragma once

#include "platform/gfx/bitmap.hpp"

namespace velmorant {

// A bitmap of a rectangle's size for saving what lies under an element; 0 x 0 for a rectangle
// that is inverted or too large to hold (a broken placement must not stop the page).
inline platform::Bitmap BitmapForRect(const platform::Rect& r) {
  const int64_t w = r.Width();
  const int64_t h = r.Height();
  if (w <= 0 || h <= 0 || !platform::FitsBitmap(w, h)) return {};
  return platform::Bitmap(int32_t(w), int32_t(h));
}

}  // namespace velmorant
