#include "display/render_helpers.hpp"

#include <algorithm>

#include "display/rect_arithmetic.hpp"

namespace velmorant {

using platform::Bitmap;
using platform::Canvas;
using platform::CopyMode;
using platform::Rect;

bool SaveUnder(DrawingContext& display, const Rect& rect, Bitmap* bitmap,
               platform::MemoryBudget::Charge& charge) {
  if (bitmap == nullptr) return true;
  const int64_t width = std::max<int64_t>(rect.Width(), 0);
  const int64_t height = std::max<int64_t>(rect.Height(), 0);
  if (bitmap->Width() != width || bitmap->Height() != height) {
    // The old pixels go before the new ones are charged: a new size never holds both.
    *bitmap = Bitmap();
    charge.Release();
    auto reserved = display.Memory().ReservePicture(width, height);
    if (!reserved) return false;
    charge = std::move(*reserved);
  }
  // Parts outside the surface are black, whatever was saved before.
  bitmap->Resize(int32_t(width), int32_t(height));
  Canvas(*bitmap).CopyRect(bitmap->Bounds(), display.CurrentCanvas().Target(), rect);
  return true;
}

void CopyMasked(const Rect& dest, const Rect& src, Canvas& destination, const Bitmap& source,
                const Bitmap* mask) {
  if (mask != nullptr) {
    // SRCAND of the mask, then SRCPAINT of the picture.
    destination.CopyRectMasked(dest, source, *mask, src);
  } else {
    destination.copy_mode = CopyMode::kSrcCopy;
    destination.CopyRect(dest, source, src);
  }
  destination.copy_mode = CopyMode::kSrcCopy;
}

void CopyMasked(const Rect& dest, const Rect& src, Canvas& destination, Canvas& source,
                Canvas* mask) {
  CopyMasked(dest, src, destination, source.Target(), mask ? &mask->Target() : nullptr);
}

void CopyMasked(const Rect& dest, Canvas& destination, const Bitmap& source, const Bitmap* mask) {
  CopyMasked(dest, source.Bounds(), destination, source, mask);
}

void PrepareMaskedImage(Bitmap& picture, const Bitmap* mask) {
  if (mask == nullptr) return;
  // In place over the area both pictures cover: the same pixels as drawing an inverted copy of
  // the mask with SRCAND, without a temporary picture of the mask's size.
  const int32_t width = std::min(picture.Width(), mask->Width());
  const int32_t height = std::min(picture.Height(), mask->Height());
  for (int32_t y = 0; y < height; ++y) {
    const auto out = picture.Row(y).first(size_t(width));
    const auto cover = mask->Row(y);
    for (size_t x = 0; x < out.size(); ++x) out[x] &= ~cover[x] & 0xFFFFFFu;
  }
}

}  // namespace velmorant
