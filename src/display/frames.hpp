#pragma once

#include <cstdint>
#include <vector>

#include "display/asset_source.hpp"
#include "display/drawing_context.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/memory_budget.hpp"

namespace velmorant {

// Draws one frame style around one element rectangle, as concentric one-pixel lines whose colours
// come from a one-pixel-wide pattern column (row 0 is the innermost line), and removes it again
// by putting back what lay under its four strips.
class TRamkaRender {
 public:
  // `frameIndex` indexes the display's frame styles; -1, an index outside the table, a style of
  // kind 0 or a width below 1 give no frame.
  TRamkaRender(DrawingContext& display, int32_t frameIndex, const platform::Rect& elementRect);

  TRamkaRender(const TRamkaRender&) = delete;
  TRamkaRender& operator=(const TRamkaRender&) = delete;

  // Saves the current surface under the four strips. Strips the memory budget refuses leave the
  // element without its frame: what could not be saved could not be put back.
  void SaveBackground();
  // true draws the frame, false puts the saved strips back; on the current surface, then on the
  // back buffer.
  void Draw(bool show);

  int32_t Width() const { return FrameWidth; }

 private:
  // The corner points of line i (a move to the first, lines to the others); none for an unknown
  // kind.
  std::vector<platform::Point> Polyline(int32_t i) const;
  void Restore(platform::Canvas& canvas) const;

  DrawingContext& display_;
  int32_t kind_ = 0;

  // Shared with every frame of the same style: one decoded picture, whatever the elements.
  SharedPicture Pattern;
  platform::Bitmap SavedLeft;
  platform::Bitmap SavedTop;
  platform::Bitmap SavedRight;
  platform::Bitmap SavedBottom;
  platform::MemoryBudget::Charge SavedCharges[4];
  platform::Rect ElementRect;
  platform::Rect LeftStrip;
  platform::Rect TopStrip;
  platform::Rect RightStrip;
  platform::Rect BottomStrip;
  int32_t FrameWidth = 0;
};

}  // namespace velmorant
