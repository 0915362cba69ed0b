#include "platform/window/sdl_screen.hpp"

#include <algorithm>

#include "platform/gfx/colour.hpp"

namespace velmorant::platform {

namespace {

SDL_Rect ToSdl(const Rect& r) {
  return {r.left, r.top, int(r.Width()), int(r.Height())};
}

Size SizeOf(const Rect& r) {
  return {int32_t(r.Width()), int32_t(r.Height())};
}

bool SoftwareRenderingWanted() {
  const char* driver = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  return driver && SDL_strcasecmp(driver, "software") == 0;
}

}  // namespace

SdlScreen::SdlScreen(const Placement& placement) : placement_(placement), area_(placement.area) {
  if (placement_.host && placement_.host->IsScaled()) scale_ = ScaleMode::kStretch;
  const Rect real = RealRect();
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  int x = SDL_WINDOWPOS_CENTERED_DISPLAY(placement.display);
  int y = x;
  if (placement.positioned) {
    x = placement.monitor_origin.x + real.left;
    y = placement.monitor_origin.y + real.top;
  }
  if (placement.full_screen) {
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
    x = y = SDL_WINDOWPOS_UNDEFINED_DISPLAY(placement.display);
  } else if (!placement.decorated) {
    flags |= SDL_WINDOW_BORDERLESS;
  }
  const int w = std::max(1, int(real.Width()));
  const int h = std::max(1, int(real.Height()));
  window_.reset(SDL_CreateWindow(placement.title.c_str(), x, y, w, h, flags));
  if (!window_) throw SdlError("cannot create a window");
  ChoosePath();
}

Rect SdlScreen::RealRect() const {
  // A screen of its own (a dialog) lies where its host shows its area: a host in a window of the
  // desktop takes it along to where that window stands.
  if (!placement_.host) return area_;
  if (IsScaled()) return placement_.host->RealRectOf(area_);
  const Point at = placement_.host->AreaOrigin();
  return area_.Offset(at.x, at.y);
}

Point SdlScreen::AreaOrigin() const {
  int x = 0;
  int y = 0;
  SDL_GetWindowPosition(window_.get(), &x, &y);
  return {x - placement_.monitor_origin.x - area_.left,
          y - placement_.monitor_origin.y - area_.top};
}

Rect SdlScreen::RealRectOf(const Rect& rect) const {
  int x = 0;
  int y = 0;
  SDL_GetWindowPosition(window_.get(), &x, &y);
  return mapping_.ToOutput(rect.Offset(-area_.left, -area_.top))
      .Offset(x - placement_.monitor_origin.x, y - placement_.monitor_origin.y);
}

void SdlScreen::ScaleTo(Size size, ScaleMode mode) {
  if (shown_) return;
  scale_ = mode;
  area_ = {0, 0, size.width, size.height};
  ChoosePath();
}

void SdlScreen::ChoosePath() {
  int pixels_w = 0;
  int pixels_h = 0;
  SDL_GetWindowSizeInPixels(window_.get(), &pixels_w, &pixels_h);
  const bool our_pixels = SDL_GetWindowPixelFormat(window_.get()) == SDL_PIXELFORMAT_RGB888;
  // The window's own pixels serve when they are ours: the same size and XRGB8888.
  if (!renderer_ && !IsScaled() && our_pixels && pixels_w == area_.Width() &&
      pixels_h == area_.Height()) {
    path_ = Path::kSurface;
    OutputResized();
    return;
  }
  // A scaled screen is the GPU's work; without one the CPU scaler writes the window's pixels.
  if (!renderer_ && IsScaled() && !MakeAcceleratedRenderer() && our_pixels) {
    path_ = Path::kScaledSurface;
    OutputResized();
    return;
  }
  // No vertical sync: a transition step must not wait for the screen.
  if (!renderer_) renderer_.reset(SDL_CreateRenderer(window_.get(), -1, 0));
  if (!renderer_) throw SdlError("cannot draw in a window");
  SDL_SetRenderDrawColor(renderer_.get(), 0, 0, 0, 255);
  path_ = Path::kTexture;
  MakeTexture();
}

bool SdlScreen::MakeAcceleratedRenderer() {
  if (SoftwareRenderingWanted()) return false;
  renderer_.reset(SDL_CreateRenderer(window_.get(), -1, SDL_RENDERER_ACCELERATED));
  return bool(renderer_);
}

void SdlScreen::MakeTexture() {
  const int w = std::max(1, int(area_.Width()));
  const int h = std::max(1, int(area_.Height()));
  // XRGB8888: the bytes B, G, R, X of a player pixel.
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888,
                                   SDL_TEXTUREACCESS_STREAMING, w, h));
  if (!texture_) throw SdlError("cannot make the window's picture");
  SDL_SetTextureBlendMode(texture_.get(), SDL_BLENDMODE_NONE);
  backdrop_.reset();
  OutputResized();
}

void SdlScreen::MakeEnlargedTexture() {
  enlarged_.reset();
  const bool sharp = mapping_.filter == ScreenFilter::kSharpBilinear;
  SDL_SetTextureScaleMode(texture_.get(), sharp ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  const Size k = mapping_.WholeFactors();
  if (!sharp || k == Size{1, 1} || !SDL_RenderTargetSupported(renderer_.get())) return;
  enlarged_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888,
                                    SDL_TEXTUREACCESS_TARGET, k.width * mapping_.screen.width,
                                    k.height * mapping_.screen.height));
  // Without it (too large for the GPU) the picture is plain linear.
  if (!enlarged_) return;
  SDL_SetTextureBlendMode(enlarged_.get(), SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(enlarged_.get(), SDL_ScaleModeLinear);
  SDL_SetTextureScaleMode(texture_.get(), SDL_ScaleModeNearest);
}

void SdlScreen::OutputResized() {
  int w = 0;
  int h = 0;
  if (renderer_) {
    SDL_GetRendererOutputSize(renderer_.get(), &w, &h);
  } else {
    SDL_GetWindowSizeInPixels(window_.get(), &w, &h);
  }
  const Size screen = SizeOf(area_);
  output_pixels_ = {w, h};
  mapping_ = IsScaled() ? ScreenMapping::Scaled(scale_, screen, output_pixels_)
                        : ScreenMapping::Filling(screen, output_pixels_);
  bars_dirty_ = true;
  if (path_ == Path::kScaledSurface) scaler_.emplace(mapping_);
  if (path_ == Path::kTexture) MakeEnlargedTexture();
}

void SdlScreen::RemoveLayer(Window* layer) {
  stack_.Remove(layer);
}

void SdlScreen::LayerShown(Window* layer) {
  stack_.Raise(layer);
  bars_dirty_ = true;
  if (!shown_) {
    shown_ = true;
    SDL_ShowWindow(window_.get());
    SDL_RaiseWindow(window_.get());
  }
  Present(layer->Bounds());
}

void SdlScreen::LayerHidden(Window* layer) {
  const bool any = stack_.AnyVisible();
  bars_dirty_ = true;
  if (!any) {
    shown_ = false;
    SDL_HideWindow(window_.get());
    return;
  }
  Present(layer->Bounds());
}

void SdlScreen::LayerPainted(const Window* layer) {
  if (layer == Backdrop()) bars_dirty_ = true;
}

Window* SdlScreen::LayerAt(Point monitor_point) const {
  return stack_.At(monitor_point);
}

Window* SdlScreen::TopLayer() const {
  return stack_.Top();
}

const Window* SdlScreen::Backdrop() const {
  if (!IsScaled() || placement_.host) return nullptr;
  const Window* top = TopLayer();
  for (const Window* l : stack_.Layers()) {
    if (l->IsVisible() && l != top && l->Bounds() == area_) return l;
  }
  return nullptr;
}

void SdlScreen::SetArea(const Rect& area) {
  const Rect real_before = RealRect();
  area_ = area;
  const Rect real = RealRect();
  if (SizeOf(real) != SizeOf(real_before) || SizeOf(area) != mapping_.screen) {
    SDL_SetWindowSize(window_.get(), std::max(1, int(real.Width())),
                      std::max(1, int(real.Height())));
    if (path_ == Path::kTexture) {
      MakeTexture();
    } else {
      OutputResized();
    }
  }
  SDL_SetWindowPosition(window_.get(), placement_.monitor_origin.x + real.left,
                        placement_.monitor_origin.y + real.top);
}

const Bitmap& SdlScreen::ScreenPicture(const Rect& region) {
  const Window* top = TopLayer();
  if (top && top->Bounds() == area_ && !top->HasVisibleChildren()) return top->Surface();
  if (screen_picture_.GetSize() != SizeOf(area_)) {
    screen_picture_.Resize(int32_t(area_.Width()), int32_t(area_.Height()));
  }
  // The neighbours of the region feed the mixed pixels along its edges.
  const Rect wider =
      Rect{region.left - 1, region.top - 1, region.right + 1, region.bottom + 1}.Intersect(area_);
  stack_.ComposeInto(screen_picture_, {area_.left, area_.top}, wider);
  return screen_picture_;
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
  stack_.ComposeInto(pixels, {area_.left, area_.top}, shown);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  const SDL_Rect changed = ToSdl(shown.Offset(-area_.left, -area_.top));
  SDL_UpdateWindowSurfaceRects(window_.get(), &changed, 1);
}

void SdlScreen::PresentScaled(const Rect& region) {
  SDL_Surface* surface = SDL_GetWindowSurface(window_.get());
  if (!surface || surface->format->format != SDL_PIXELFORMAT_RGB888 || !scaler_) return;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  Bitmap pixels = Bitmap::Borrow(static_cast<Pixel*>(surface->pixels), surface->w, surface->h,
                                 surface->pitch / int(sizeof(Pixel)));
  Rect todo = region;
  Rect changed;
  if (bars_dirty_) {
    bars_dirty_ = false;
    DrawBars(pixels);
    todo = area_;
    changed = pixels.Bounds();
  }
  const Rect out = scaler_->Affected(todo.Offset(-area_.left, -area_.top));
  scaler_->Draw(ScreenPicture(todo), pixels, out);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (changed.IsEmpty()) changed = out.Intersect(pixels.Bounds());
  if (changed.IsEmpty()) return;
  const SDL_Rect sdl_changed = ToSdl(changed);
  SDL_UpdateWindowSurfaceRects(window_.get(), &sdl_changed, 1);
}

void SdlScreen::DrawBars(Bitmap& pixels) {
  const Rect all = pixels.Bounds();
  const Rect o = mapping_.output.Intersect(all);
  const Rect bars[] = {{all.left, all.top, all.right, o.top},
                       {all.left, o.bottom, all.right, all.bottom},
                       {all.left, o.top, o.left, o.bottom},
                       {o.right, o.top, all.right, o.bottom}};
  const Window* backdrop = Backdrop();
  if (!backdrop) {
    for (const Rect& bar : bars) FillRect(pixels, bar, kBlack);
    return;
  }
  if (!bars_scaler_ || bars_scaler_->Mapping().output != all ||
      bars_scaler_->Mapping().screen != SizeOf(area_)) {
    bars_scaler_.emplace(ScreenMapping::Scaled(ScaleMode::kStretch, SizeOf(area_), SizeOf(all)));
  }
  const Bitmap& picture = stack_.PictureOf(*backdrop);
  for (const Rect& bar : bars) bars_scaler_->Draw(picture, pixels, bar);
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
    stack_.ComposeInto(frame_, {region.left, region.top}, region);
    SDL_UpdateTexture(texture_.get(), &target, frame_.Data(), frame_.Pitch() * int(sizeof(Pixel)));
  }
  Refresh();
}

void SdlScreen::UpdateBackdropTexture() {
  bars_dirty_ = false;
  const Window* backdrop = Backdrop();
  backdrop_shown_ = false;
  if (!backdrop) return;
  if (!backdrop_) {
    backdrop_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888,
                                      SDL_TEXTUREACCESS_STREAMING, int(area_.Width()),
                                      int(area_.Height())));
    if (!backdrop_) return;
    SDL_SetTextureBlendMode(backdrop_.get(), SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(backdrop_.get(), SDL_ScaleModeLinear);
  }
  const Bitmap& picture = stack_.PictureOf(*backdrop);
  SDL_UpdateTexture(backdrop_.get(), nullptr, picture.Data(), picture.Pitch() * int(sizeof(Pixel)));
  backdrop_shown_ = true;
}

void SdlScreen::Present(const Rect& region) {
  const Rect part = region.Intersect(area_);
  if (!shown_ || part.IsEmpty()) return;
  switch (path_) {
    case Path::kSurface:
      PresentThroughSurface(part);
      break;
    case Path::kScaledSurface:
      PresentScaled(part);
      break;
    case Path::kTexture:
      PresentThroughTexture(part);
      break;
  }
}

void SdlScreen::Refresh() {
  if (!shown_) return;
  if (path_ != Path::kTexture) {
    SDL_UpdateWindowSurface(window_.get());
    return;
  }
  if (!mapping_.IsOneToOne()) {
    if (bars_dirty_) UpdateBackdropTexture();
    if (backdrop_shown_) {
      SDL_RenderCopy(renderer_.get(), backdrop_.get(), nullptr, nullptr);
    } else {
      SDL_RenderClear(renderer_.get());
    }
  }
  const SDL_Rect output = ToSdl(mapping_.output);
  if (enlarged_) {
    SDL_SetRenderTarget(renderer_.get(), enlarged_.get());
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
    SDL_SetRenderTarget(renderer_.get(), nullptr);
    SDL_RenderCopy(renderer_.get(), enlarged_.get(), nullptr, &output);
  } else {
    SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &output);
  }
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
