#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "definition/records_display.hpp"
#include "display/asset_source.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/memory_budget.hpp"

namespace velmorant {

// What the renderers need of the display engine: its two surfaces, the window size, the pause
// between animation steps and the definition's transition and frame tables. TDisplay implements
// it; tests use a double.
class DrawingContext {
 public:
  virtual ~DrawingContext() = default;

  // The surface elements draw on now: the back buffer while composing, the window otherwise.
  virtual platform::Canvas& CurrentCanvas() = 0;
  virtual platform::Canvas& BackBufferCanvas() = 0;
  virtual bool IsBackBufferCurrent() const = 0;
  virtual platform::Size ClientSize() const = 0;
  // Presents the window, then blocks for `ms` milliseconds without handling messages.
  virtual void Sleep(int ms) = 0;
  // Asks to animate a transition of `steps` steps, each pausing `delay_ms`: false when the page
  // has spent what its transitions may cost in one go, and the picture is to be drawn at once.
  virtual bool AdmitAnimation(int32_t steps, int32_t delay_ms) = 0;
  virtual const std::vector<TPrz>& Transitions() const = 0;
  virtual const std::vector<TRam>& FrameStyles() const = 0;
  // A picture from the backgrounds folder (alternate assets preferred while switched on), shared
  // with everyone who draws it; null when it cannot be loaded or was refused.
  virtual SharedPicture LoadPattern(const std::string& fileName) = 0;
  // The player's budget of decoded memory, which the copies renderers keep are charged to.
  virtual platform::MemoryBudget& Memory() = 0;
  // The mosaic's pseudo-random source; injected so that headless runs are reproducible.
  virtual uint32_t Random() = 0;
};

}  // namespace velmorant
