#pragma once

#include "display/hint_panel.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/loop/event_loop.hpp"

namespace velmorant {

// What the display engine needs of the presentation window: its surface, presenting it, the
// close request that starts a page change, the modal run, and the hint panel with its timer.
class PageWindow {
 public:
  virtual ~PageWindow() = default;
  virtual platform::Bitmap& Surface() = 0;
  virtual platform::Size ClientSize() const = 0;
  virtual void Present() = 0;
  // A close request: the close query runs after the current handler returns.
  virtual void Close() = 0;
  // Shows the window modally; returns when the presentation ended (true) or input ran out.
  virtual bool ShowModal() = 0;
  // Where the pointer was last seen over the window.
  virtual platform::Point LastMouse() const = 0;
  virtual HintPanel& Hint() = 0;
  virtual platform::Timer& TimerHint() = 0;
};

}  // namespace velmorant
