#include "platform/window/sdl_screen.hpp"

#include "platform/gfx/colour.hpp"

#include <algorithm>

namespace velmorant::platform {

namespace {

SDL_Rect ToSdl(const Rect& r) {
  return {r.left, r.top, int(r.Width()), int(r.Height())};
}

// Copies the part of `layer` (placed at `at` in monitor coordinates) that lies in `region` into
// `target`, whose first pixel is the monitor point `origin`.
void CopyInto(Bitmap& target, const Rect& region, Point origin, const Bitmap& layer, Point at) {
  const Rect placed{at.x, at.y, at.x + layer.Width(), at.y + layer.Height()};
  const Rect part = placed.Intersect(region);
  if (part.IsEmpty()) return;
  const auto width = size_t(part.Width());
  for (int32_t y = part.top; y < part.bottom; ++y) {
    const Pixel* from = layer.Row(y - at.y).data() + (part.left - at.x);
    std::copy_n(from, width, target.Row(y - origin.y).data() + (part.left - origin.x));
  }
}

}  // namespace

SdlScreen::SdlScreen(const Placement& placement) : placement_(placement), area_(placement.area) {
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  int x = SDL_WINDOWPOS_CENTERED_DISPLAY(placement.display);
  int y = x;
  if (placement.positioned) {
    x = placement.monitor_origin.x + area_.left;
    y = placement.monitor_origin.y + area_.top;
  }
  if (placement.full_screen) {
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
    x = y = SDL_WINDOWPOS_UNDEFINED_DISPLAY(placement.display);
  } else if (!placement.decorated) {
    flags |= SDL_WINDOW_BORDERLESS;
  }
  const int w = std::max(1, int(area_.Width()));
  const int h = std::max(1, int(area_.Height()));
  window_.reset(SDL_CreateWindow(placement.title.c_str(), x, y, w, h, flags));
  if (!window_) throw SdlError("cannot create a window");
  int pixels_w = 0;
  int pixels_h = 0;
  SDL_GetWindowSizeInPixels(window_.get(), &pixels_w, &pixels_h);
  // The window's own pixels serve when they are ours: the same size and XRGB8888.
  if (pixels_w == w && pixels_h == h &&
      SDL_GetWindowPixelFormat(window_.get()) == SDL_PIXELFORMAT_RGB888) {
    OutputResized();
    return;
  }
  // No vertical sync: a transition step must not wait for the screen.
  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
  if (!renderer_) throw SdlError("cannot draw in a window");
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  MakeTexture();
}

void SdlScreen::MakeTexture() {
  const int w = std::max(1, int(area_.Width()));
  const int h = std::max(1, int(area_.Height()));
  // XRGB8888: the bytes B, G, R, X of a player pixel.
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888,
                                   SDL_TEXTUREACCESS_STREAMING, w, h));
  if (!texture_) throw SdlError("cannot make the window's picture");
  SDL_SetTextureBlendMode(texture_.get(), SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(texture_.get(), SDL_ScaleModeNearest);
  OutputResized();
}

void SdlScreen::OutputResized() {
  int w = 0;
  int h = 0;
  if (UsesTexture()) {
    SDL_GetRendererOutputSize(renderer_.get(), &w, &h);
  } else {
    SDL_GetWindowSizeInPixels(window_.get(), &w, &h);
  }
  const Size screen{int32_t(area_.Width()), int32_t(area_.Height())};
  output_pixels_ = {w, h};
  mapping_ = ScreenMapping::Filling(screen, output_pixels_);
}

void SdlScreen::RemoveLayer(Window* layer) {
  std::erase(layers_, layer);
}

void SdlScreen::LayerShown(Window* layer) {
  RemoveLayer(layer);
  layers_.push_back(layer);
  if (!shown_) {
    shown_ = true;
    SDL_ShowWindow(window_.get());
    SDL_RaiseWindow(window_.get());
  }
  Present(layer->Bounds());
}

void SdlScreen::LayerHidden(Window* layer) {
  const bool any =
      std::any_of(layers_.begin(), layers_.end(), [](const Window* l) { return l->IsVisible(); });
  if (!any) {
    shown_ = false;
    SDL_HideWindow(window_.get());
    return;
  }
  Present(layer->Bounds());
}

Window* SdlScreen::LayerAt(Point monitor_point) const {
  for (auto it = layers_.rbegin(); it != layers_.rend(); ++it) {
    if ((*it)->IsVisible() && (*it)->Bounds().Contains(monitor_point)) return *it;
  }
  return nullptr;
}

Window* SdlScreen::TopLayer() const {
  for (auto it = layers_.rbegin(); it != layers_.rend(); ++it) {
    if ((*it)->IsVisible()) return *it;
  }
  return nullptr;
}

void SdlScreen::SetArea(const Rect& area) {
  const bool resized = area.Width() != area_.Width() || area.Height() != area_.Height();
  area_ = area;
  if (resized) {
    SDL_SetWindowSize(window_.get(), std::max(1, int(area.Width())),
                      std::max(1, int(area.Height())));
    if (UsesTexture()) {
      MakeTexture();
    } else {
      OutputResized();
    }
  }
  SDL_SetWindowPosition(window_.get(), placement_.monitor_origin.x + area.left,
                        placement_.monitor_origin.y + area.top);
}

void SdlScreen::ComposeInto(Bitmap& target, Point origin, const Rect& region) {
  // Windows are opaque: nothing under the topmost one that covers the region shows.
  size_t first = 0;
  bool covered = false;
  for (size_t i = layers_.size(); i-- > 0;) {
    const Window* l = layers_[i];
    if (l->IsVisible() && l->Bounds().Intersect(region) == region) {
      first = i;
      covered = true;
      break;
    }
  }
  const Rect local = region.Offset(-origin.x, -origin.y);
  if (!covered) {
    for (int32_t y = local.top; y < local.bottom; ++y) {
      const auto row = target.Row(y).subspan(size_t(local.left), size_t(local.Width()));
      std::fill(row.begin(), row.end(), kBlack);
    }
  }
  for (size_t i = first; i < layers_.size(); ++i) {
    const Window* l = layers_[i];
    if (!l->IsVisible()) continue;
    const Bitmap* picture = &l->Surface();
    if (l->HasVisibleChildren()) {
      l->CompositeInto(layer_picture_);
      picture = &layer_picture_;
    }
    CopyInto(target, region, origin, *picture, {l->Bounds().left, l->Bounds().top});
  }
}

void SdlScreen::PresentThroughSurface(const Rect& region) {
  SDL_Surface* surface = SDL_GetWindowSurface(window_.get());
  if (!surface || surface->format->format != SDL_PIXELFORMAT_RGB888) return;
  // The window may be smaller than the screen for a moment (a window manager's doing).
  const Rect shown =
      region.Intersect({area_.left, area_.top, area_.left + surface->w, area_.top + surface->h});
  if (shown.IsEmpty()) return;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  Bitmap pixels = Bitmap::Borrow(static_cast<Pixel*>(surface->pixels), surface->w, surface->h,
                                 surface->pitch / int(sizeof(Pixel)));
  ComposeInto(pixels, {area_.left, area_.top}, shown);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  const SDL_Rect changed = ToSdl(shown.Offset(-area_.left, -area_.top));
  SDL_UpdateWindowSurfaceRects(window_.get(), &changed, 1);
}

void SdlScreen::PresentThroughTexture(const Rect& region) {
  const SDL_Rect target = ToSdl(region.Offset(-area_.left, -area_.top));
  const Window* top = TopLayer();
  // One window over the whole region and nothing on it: straight from its surface.
  if (top && top->Bounds().Intersect(region) == region && !top->HasVisibleChildren()) {
    const Bitmap& s = top->Surface();
    const Rect b = top->Bounds();
    const Pixel* first =
        s.Data() + size_t(region.top - b.top) * size_t(s.Pitch()) + size_t(region.left - b.left);
    SDL_UpdateTexture(texture_.get(), &target, first, s.Pitch() * int(sizeof(Pixel)));
  } else {
    if (frame_.GetSize() != Size{target.w, target.h}) frame_.Resize(target.w, target.h);
    ComposeInto(frame_, {region.left, region.top}, region);
    SDL_UpdateTexture(texture_.get(), &target, frame_.Data(), frame_.Pitch() * int(sizeof(Pixel)));
  }
  Refresh();
}

void SdlScreen::Present(const Rect& region) {
  const Rect part = region.Intersect(area_);
  if (!shown_ || part.IsEmpty()) return;
  if (UsesTexture()) {
    PresentThroughTexture(part);
  } else {
    PresentThroughSurface(part);
  }
}

void SdlScreen::Refresh() {
  if (!shown_) return;
  if (!UsesTexture()) {
    SDL_UpdateWindowSurface(window_.get());
    return;
  }
  const SDL_Rect output = ToSdl(mapping_.output);
  if (!mapping_.IsOneToOne()) SDL_RenderClear(renderer_.get());
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &output);
  SDL_RenderPresent(renderer_.get());
}

void SdlScreen::Restore() {
  if (!shown_) return;
  SDL_RestoreWindow(window_.get());
  SDL_RaiseWindow(window_.get());
}

Point SdlScreen::ToMonitor(int32_t x, int32_t y) const {
  int points_w = 0;
  int points_h = 0;
  SDL_GetWindowSize(window_.get(), &points_w, &points_h);
  // SDL reports the pointer in points; the output is in pixels.
  const Point pixel{points_w > 0 ? int32_t(int64_t{x} * output_pixels_.width / points_w) : x,
                    points_h > 0 ? int32_t(int64_t{y} * output_pixels_.height / points_h) : y};
  const Point p = mapping_.ToScreen(pixel);
  return {p.x + area_.left, p.y + area_.top};
}

}  // namespace velmorant::platform
