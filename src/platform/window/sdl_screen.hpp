#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/window/screen_mapping.hpp"
#include "platform/window/sdl_handles.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// One real SDL window showing player windows stacked on it (the presentation over the border
// picture). Player windows are placed in monitor coordinates; the screen covers `area` of the
// monitor. Frames go straight into the real window's own pixels when they are the screen's (one
// copy, and only the changed rectangle goes to the display server); otherwise through a streaming
// texture drawn to the nearest pixel (a high-density output; a scaled screen later).
class SdlScreen {
 public:
  struct Placement {
    std::string title;
    Rect area;             // monitor coordinates
    Point monitor_origin;  // the monitor's top-left on the desktop
    int display = 0;       // the monitor's SDL index
    bool full_screen = false;
    bool decorated = false;   // a caption and a close box
    bool positioned = false;  // at `area`; otherwise centred on the monitor
  };

  // Hidden until a player window on it is shown. Throws SdlError.
  explicit SdlScreen(const Placement& placement);
  SdlScreen(const SdlScreen&) = delete;
  SdlScreen& operator=(const SdlScreen&) = delete;

  uint32_t Id() const { return SDL_GetWindowID(window_.get()); }
  SDL_Window* Handle() const { return window_.get(); }
  const Rect& Area() const { return area_; }
  const Placement& GetPlacement() const { return placement_; }
  bool IsShown() const { return shown_; }

  void AddLayer(Window* layer) { layers_.push_back(layer); }
  void RemoveLayer(Window* layer);
  // A layer shown goes on top of the others; the real window appears with the first.
  void LayerShown(Window* layer);
  void LayerHidden(Window* layer);
  // The topmost visible layer under a monitor point, or the topmost visible one.
  Window* LayerAt(Point monitor_point) const;
  Window* TopLayer() const;

  // Moves the real window (and the screen) over `area` of the monitor; dialogs follow their bounds.
  void SetArea(const Rect& area);

  // Puts what the visible layers show inside `region` (monitor coordinates) on the real screen.
  void Present(const Rect& region);
  void PresentAll() { Present(area_); }
  // Shows the last frame again (after the window was uncovered).
  void Refresh();
  // Follows a change of the real window's size (a high-density display, a window manager).
  void OutputResized();
  void Restore();

  // Monitor coordinates of a point in SDL window coordinates.
  Point ToMonitor(int32_t x, int32_t y) const;

 private:
  void MakeTexture();
  bool UsesTexture() const { return renderer_ != nullptr; }
  // Writes what the visible layers show inside `region` into `target`, whose first pixel is the
  // monitor point `origin`.
  void ComposeInto(Bitmap& target, Point origin, const Rect& region);
  void PresentThroughSurface(const Rect& region);
  void PresentThroughTexture(const Rect& region);

  Placement placement_;
  Rect area_;
  SdlPtr<SDL_Window> window_;
  SdlPtr<SDL_Renderer> renderer_;
  SdlPtr<SDL_Texture> texture_;
  ScreenMapping mapping_;
  Size output_pixels_;
  std::vector<Window*> layers_;  // bottom to top
  Bitmap frame_;                 // the region being composed, reused between presents
  Bitmap layer_picture_;         // a layer with its child controls, reused likewise
  bool shown_ = false;
};

}  // namespace velmorant::platform
