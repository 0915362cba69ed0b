#pragma once

#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/window/scale_mode.hpp"
#include "platform/window/screen_mapping.hpp"
#include "platform/window/screen_scaler.hpp"
#include "platform/window/sdl_handles.hpp"
#include "platform/window/window.hpp"
#include "platform/window/window_stack.hpp"

namespace velmorant::platform {

// One real SDL window showing player windows stacked on it (the presentation over the border
// picture). Player windows are placed in the coordinates of `area`: the monitor's, or a virtual
// screen's that is scaled to the real window. Frames go straight into the real window's own
// pixels when they are the screen's (one copy, and only the changed rectangle goes to the display
// server). A scaled screen goes through the GPU where there is one (a texture drawn into the
// output rectangle) and through the CPU scaler into the window's pixels otherwise; a high-density
// output goes through a texture drawn to the nearest pixel.
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
    // A dialog over a scaled screen: placed and enlarged as that screen shows its own area.
    const SdlScreen* host = nullptr;
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
  const ScreenMapping& Mapping() const { return mapping_; }

  // Turns the screen into a virtual one of `size` shown in the real window as `mode` says. Only
  // before it is first shown.
  void ScaleTo(Size size, ScaleMode mode);
  bool IsScaled() const { return scale_ != ScaleMode::kNone; }
  // The monitor rectangle of the real pixels that show `rect` of this screen.
  Rect RealRectOf(const Rect& rect) const;
  // Where the origin of this unscaled screen's coordinates lies on the monitor.
  Point AreaOrigin() const;

  void AddLayer(Window* layer) { stack_.Add(layer); }
  void RemoveLayer(Window* layer);
  // A layer shown goes on top of the others; the real window appears with the first.
  void LayerShown(Window* layer);
  void LayerHidden(Window* layer);
  // A layer painted anew: what a scaled screen's bars show may have changed.
  void LayerPainted(const Window* layer);
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
  enum class Path { kSurface, kScaledSurface, kTexture };

  // Where the real window lies on the monitor.
  Rect RealRect() const;
  void ChoosePath();
  bool MakeAcceleratedRenderer();
  void MakeTexture();
  void MakeEnlargedTexture();
  // The lowest visible layer covering the whole screen under another one: on a scaled screen it
  // fills the bars beside the output (the border picture of a centred presentation).
  const Window* Backdrop() const;
  // A picture of the whole screen, right at least inside `region`.
  const Bitmap& ScreenPicture(const Rect& region);
  void PresentThroughSurface(const Rect& region);
  void PresentScaled(const Rect& region);
  void DrawBars(Bitmap& pixels);
  void PresentThroughTexture(const Rect& region);
  void UpdateBackdropTexture();

  Placement placement_;
  Rect area_;
  ScaleMode scale_ = ScaleMode::kNone;
  SdlPtr<SDL_Window> window_;
  Path path_ = Path::kSurface;
  SdlPtr<SDL_Renderer> renderer_;
  SdlPtr<SDL_Texture> texture_;
  SdlPtr<SDL_Texture> enlarged_;  // sharp-bilinear's nearest step, a render target
  SdlPtr<SDL_Texture> backdrop_;
  bool backdrop_shown_ = false;
  ScreenMapping mapping_;
  std::optional<ScreenScaler> scaler_;       // the CPU path's
  std::optional<ScreenScaler> bars_scaler_;  // the backdrop over the whole real window
  bool bars_dirty_ = true;
  Size output_pixels_;
  WindowStack stack_;
  Bitmap frame_;           // the region being composed, reused between presents
  Bitmap screen_picture_;  // the whole virtual screen, for the CPU scaler
  bool shown_ = false;
};

}  // namespace velmorant::platform
