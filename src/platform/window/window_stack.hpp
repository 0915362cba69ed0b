#pragma once

#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// Player windows stacked on one screen, bottom to top, and the picture they make together. Every
// backend that shows several windows in one output composes them alike.
class WindowStack {
 public:
  void Add(Window* layer) { layers_.push_back(layer); }
  void Remove(Window* layer);
  // Puts a layer on top of the others.
  void Raise(Window* layer);
  bool AnyVisible() const;
  // The topmost visible layer under a screen point; nothing there.
  Window* At(Point screen_point) const;
  // The topmost visible layer.
  Window* Top() const;
  const std::vector<Window*>& Layers() const { return layers_; }

  // Writes what the visible layers show inside `region` (screen coordinates) into `target`,
  // whose first pixel is the screen point `origin`; black where no layer is.
  void ComposeInto(Bitmap& target, Point origin, const Rect& region);
  // What a layer shows: its surface, or its surface with its child controls.
  const Bitmap& PictureOf(const Window& layer);

 private:
  std::vector<Window*> layers_;
  Bitmap layer_picture_;  // a layer with its child controls, reused between pictures
};

// Fills the part of `rect` inside `target` with one colour.
void FillRect(Bitmap& target, const Rect& rect, Pixel colour);

}  // namespace velmorant::platform
