#pragma once

#include <optional>

#include "platform/gfx/bitmap.hpp"
#include "platform/memory_budget.hpp"

namespace velmorant {

// A bitmap of a rectangle's size for saving what lies under an element; 0 x 0 for a rectangle
// that is inverted or too large to hold (a broken placement must not stop the page).
inline platform::Bitmap BitmapForRect(const platform::Rect& r) {
  const int64_t w = r.Width();
  const int64_t h = r.Height();
  if (w <= 0 || h <= 0 || !platform::FitsBitmap(w, h)) return {};
  return platform::Bitmap(int32_t(w), int32_t(h));
}

// The extent of the backdrop BitmapForRect would give, for a renderer built before it is saved.
inline std::optional<platform::Rect> BackdropExtent(const platform::Rect& r) {
  const int64_t w = r.Width();
  const int64_t h = r.Height();
  if (w <= 0 || h <= 0 || !platform::FitsBitmap(w, h)) return std::nullopt;
  return platform::Rect{0, 0, int32_t(w), int32_t(h)};
}

// `bitmap` made BitmapForRect's size with its pixels charged to `budget` in `charge` first (what
// both held before let go); false, and both left empty, when the budget refuses it.
inline bool ChargedBitmapForRect(platform::MemoryBudget& budget, const platform::Rect& r,
                                 platform::Bitmap& bitmap, platform::MemoryBudget::Charge& charge) {
  bitmap = platform::Bitmap();
  charge.Release();
  const std::optional<platform::Rect> extent = BackdropExtent(r);
  if (!extent) return true;
  auto reserved = budget.ReservePicture(extent->right, extent->bottom);
  if (!reserved) return false;
  charge = std::move(*reserved);
  bitmap = platform::Bitmap(extent->right, extent->bottom);
  return true;
}

}  // namespace velmorant
