#include "display/render_helpers.hpp"

#include <algorithm>

#include "display/rect_arithmetic.hpp"

namespace velmorant {

using platform::Bitmap;
using platform::Canvas;
using platform::CopyMode;
using platform::Rect;

void SaveUnder(DrawingContext& display, const Rect& rect, Bitmap* bitmap) {
  if (bitmap == nullptr) return;
  const int64_t width = std::max<int64_t>(rect.Width(), 0);
  const int64_t height = std::max<int64_t>(rect.Height(), 0);
  if (!FitsBitmap(width, height)) {
    bitmap->Resize(0, 0);
    return;
  }
  bitmap->Resize(int32_t(width), int32_t(height));
  Canvas(*bitmap).CopyRect(bitmap->Bounds(), display.CurrentCanvas().Target(), rect);
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
  Bitmap inverted(mask->Width(), mask->Height());
  Canvas inverter(inverted);
  inverter.copy_mode = CopyMode::kNotSrcCopy;
  inverter.Draw(0, 0, *mask);
  Canvas target(picture);
  target.copy_mode = CopyMode::kSrcAnd;
  target.Draw(0, 0, inverted);
}

}  // namespace velmorant
