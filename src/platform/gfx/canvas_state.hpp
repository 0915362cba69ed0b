#pragma once

#include <optional>

#include "platform/gfx/canvas.hpp"

namespace velmorant::platform {

// Keeps a canvas's device-context state (copy mode, pen and brush colours, clip) for one scope:
// whatever the scope sets, the canvas has its old state again when the scope ends.
class CanvasStateGuard {
 public:
  explicit CanvasStateGuard(Canvas& canvas)
      : canvas_(canvas),
        copy_mode_(canvas.copy_mode),
        pen_colour_(canvas.pen_colour),
        brush_colour_(canvas.brush_colour),
        clip_(canvas.Clip()) {}
  CanvasStateGuard(const CanvasStateGuard&) = delete;
  CanvasStateGuard& operator=(const CanvasStateGuard&) = delete;
  ~CanvasStateGuard() {
    canvas_.copy_mode = copy_mode_;
    canvas_.pen_colour = pen_colour_;
    canvas_.brush_colour = brush_colour_;
    if (clip_) {
      canvas_.SetClip(*clip_);
    } else {
      canvas_.ClearClip();
    }
  }

  // Narrows the clip to `rect` within whatever clip the canvas had.
  void ClipTo(const Rect& rect) { canvas_.SetClip(clip_ ? clip_->Intersect(rect) : rect); }

 private:
  Canvas& canvas_;
  CopyMode copy_mode_;
  Pixel pen_colour_;
  Pixel brush_colour_;
  std::optional<Rect> clip_;
};

}  // namespace velmorant::platform
