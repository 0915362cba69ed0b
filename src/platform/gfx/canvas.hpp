#pragma once

#include <cstdint>
#include <optional>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/gfx/copy_mode.hpp"
#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// What GetPixel answers outside the picture (the Windows CLR_INVALID); never stored in a bitmap.
inline constexpr Pixel kInvalidPixel = 0xFFFFFFFFu;

// A drawing view on a bitmap with the state of a Windows device context that the player uses.
// Rectangles are (left, top, right, bottom), right and bottom exclusive. Every operation clips to
// the target and to its source: no rectangle, however wild, reaches outside a bitmap.
class Canvas {
 public:
  explicit Canvas(Bitmap& target) : target_(target) {}

  Bitmap& Target() { return target_; }
  const Bitmap& Target() const { return target_; }

  // Device-context state, as the form library exposes it. Colours keep their top byte clear when
  // drawn, whatever is assigned here.
  CopyMode copy_mode = CopyMode::kSrcCopy;
  Pixel pen_colour = kBlack;
  Pixel brush_colour = kWhite;

  // StretchBlt of `src` in `source` to `dest` with `copy_mode`; a negative width or height on one
  // side only mirrors that axis (shifted, as GDI does, when the source is cut by its edge).
  // Destination pixels fed from outside `source` stay untouched.
  void CopyRect(const Rect& dest, const Bitmap& source, const Rect& src);
  // The transparent copy of `src`: SRCAND of `mask`, then SRCPAINT of `picture`, into `dest`
  // (one pass when the two have the same size). Leaves `copy_mode` alone.
  void CopyRectMasked(const Rect& dest, const Bitmap& picture, const Bitmap& mask, const Rect& src);
  // The whole of `source` at (x, y), same size, with `copy_mode`.
  void Draw(int32_t x, int32_t y, const Bitmap& source);
  // The whole of `source` stretched into `dest`, with `copy_mode`.
  void StretchDraw(const Rect& dest, const Bitmap& source);

  // Fills with the brush; an empty or inverted rectangle fills nothing.
  void FillRect(const Rect& rect);
  // Paints white (the WHITENESS raster operation); an empty or inverted rectangle paints nothing.
  void Whiteness(const Rect& rect);

  void MoveTo(int32_t x, int32_t y) { pen_position_ = {x, y}; }
  // A one-pixel line with the pen up to, but not including, (x, y), which becomes the position.
  void LineTo(int32_t x, int32_t y);
  Point PenPosition() const { return pen_position_; }

  // The pixel at (x, y), or kInvalidPixel outside the picture.
  Pixel GetPixel(int32_t x, int32_t y) const;

  // Limits every drawing operation to `clip`, as a clip rectangle selected into a device
  // context does; the mapping of stretched copies is not affected. ClearClip lifts the limit.
  void SetClip(const Rect& clip) { clip_ = clip; }
  void ClearClip() { clip_.reset(); }
  std::optional<Rect> Clip() const { return clip_; }

 private:
  void Fill(const Rect& rect, Pixel value);
  Rect DrawableArea() const {
    return clip_ ? clip_->Intersect(target_.Bounds()) : target_.Bounds();
  }

  Bitmap& target_;
  Point pen_position_;
  std::optional<Rect> clip_;
};

}  // namespace velmorant::platform
