#include "platform/gfx/canvas.hpp"

#include <algorithm>

#include "platform/gfx/line_drawing.hpp"
#include "platform/gfx/stretch_blit.hpp"

namespace velmorant::platform {

void Canvas::CopyRect(const Rect& dest, const Bitmap& source, const Rect& src) {
  const AxisRequest x{dest.left, dest.Width(), src.left, src.Width()};
  const AxisRequest y{dest.top, dest.Height(), src.top, src.Height()};
  StretchBlit(target_, DrawableArea(), source, x, y, copy_mode);
}

void Canvas::CopyRectMasked(const Rect& dest, const Bitmap& picture, const Bitmap& mask,
                            const Rect& src) {
  const AxisRequest x{dest.left, dest.Width(), src.left, src.Width()};
  const AxisRequest y{dest.top, dest.Height(), src.top, src.Height()};
  MaskedStretchBlit(target_, DrawableArea(), picture, mask, x, y);
}

void Canvas::Draw(int32_t x, int32_t y, const Bitmap& source) {
  const AxisRequest ax{x, source.Width(), 0, source.Width()};
  const AxisRequest ay{y, source.Height(), 0, source.Height()};
  StretchBlit(target_, DrawableArea(), source, ax, ay, copy_mode);
}

void Canvas::StretchDraw(const Rect& dest, const Bitmap& source) {
  CopyRect(dest, source, source.Bounds());
}

void Canvas::FillRect(const Rect& rect) {
  Fill(rect, brush_colour);
}

void Canvas::Whiteness(const Rect& rect) {
  Fill(rect, kWhite);
}

void Canvas::Fill(const Rect& rect, Pixel value) {
  const Rect area = rect.Intersect(DrawableArea());
  if (area.IsEmpty()) return;
  for (int32_t y = area.top; y < area.bottom; ++y) {
    auto row = target_.Row(y);
    std::fill(row.begin() + area.left, row.begin() + area.right, value & 0xFFFFFFu);
  }
}

void Canvas::LineTo(int32_t x, int32_t y) {
  DrawLine(target_, DrawableArea(), pen_position_, {x, y}, pen_colour);
  pen_position_ = {x, y};
}

Pixel Canvas::GetPixel(int32_t x, int32_t y) const {
  return target_.Get(x, y, kInvalidPixel);
}

}  // namespace velmorant::platform
