#pragma once

#include "display/drawing_context.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/memory_budget.hpp"

namespace velmorant {

// Resizes `bitmap` to `rect` and copies that area of the current surface into it, its pixels
// charged to the display's memory budget in `charge` first. Nothing when `bitmap` is null. An
// inverted rectangle saves nothing (0 x 0); one too large to hold or refused by the budget is
// left 0 x 0 the same way, and false returned.
bool SaveUnder(DrawingContext& display, const platform::Rect& rect, platform::Bitmap* bitmap,
               platform::MemoryBudget::Charge& charge);

// Stretching copy of `src` of `source` into `dest` of `destination`: with a mask, the two-pass
// SRCAND (mask) then SRCPAINT (picture); without, SRCCOPY. The destination ends in SRCCOPY.
void CopyMasked(const platform::Rect& dest, const platform::Rect& src,
                platform::Canvas& destination, platform::Canvas& source, platform::Canvas* mask);
void CopyMasked(const platform::Rect& dest, const platform::Rect& src,
                platform::Canvas& destination, const platform::Bitmap& source,
                const platform::Bitmap* mask);
// The whole picture into `dest`.
void CopyMasked(const platform::Rect& dest, platform::Canvas& destination,
                const platform::Bitmap& source, const platform::Bitmap* mask);

// picture := picture AND NOT mask, so that the picture is black where the mask is transparent.
// Nothing when `mask` is null.
void PrepareMaskedImage(platform::Bitmap& picture, const platform::Bitmap* mask);

}  // namespace velmorant
