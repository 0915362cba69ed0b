#include "platform/window/sdl_screen.hpp"

#include "platform/gfx/colour.hpp"

#include <algorithm>

namespace velmorant::platform {

namespace {

SDL_Rect ToSdl(const Rect& r) {
  return {r.left, r.top, int(r.Width()), int(r.Height())};
}

// Copies the part of `layer` (placed at `at` in monitor coordinates) that lies in `region` into
// `frame`, whose top-left is the region's.
void CopyInto(Bitmap& frame, const Rect& region, const Bitmap& layer, Point at) {
  const Rect placed{at.x, at.y, at.x + layer.Width(), at.y + layer.Height()};
  const Rect part = placed.Intersect(region);
  if (part.IsEmpty()) return;
  const auto width = size_t(part.Width());
  for (int32_t y = part.top; y < part.bottom; ++y) {
    const Pixel* from = layer.Row(y - at.y).data() + (part.left - at.x);
    std::copy_n(from, width, frame.Row(y - region.top).data() + (part.left - region.left));
  }
}

}  // namespace

SdlScreen::SdlScreen(const Placement& placement) : placement_(placement), area_(placement.area) {
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  int x = SDL_WINDOWPOS_CENTERED_DISPLAY(placement.display);
  int y = x;
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
  SDL_GetRendererOutputSize(renderer_.get(), &w, &h);
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
    MakeTexture();
  }
  SDL_SetWindowPosition(window_.get(), placement_.monitor_origin.x + area.left,
                        placement_.monitor_origin.y + area.top);
}

void SdlScreen::Compose(const Rect& region) {
  std::vector<const Window*> seen;
  for (const Window* l : layers_) {
    if (l->IsVisible() && !l->Bounds().Intersect(region).IsEmpty()) seen.push_back(l);
  }
  const SDL_Rect target = ToSdl(region.Offset(-area_.left, -area_.top));
  // The usual case, one window over the whole region: straight from its surface, no copy.
  if (!seen.empty() && seen.back()->Bounds().Intersect(region) == region &&
      !seen.back()->HasVisibleChildren()) {
    const Bitmap& s = seen.back()->Surface();
    const Rect b = seen.back()->Bounds();
    const Pixel* first =
        s.Data() + size_t(region.top - b.top) * size_t(s.Pitch()) + size_t(region.left - b.left);
    SDL_UpdateTexture(texture_.get(), &target, first, s.Pitch() * int(sizeof(Pixel)));
    return;
  }
  if (frame_.GetSize() != Size{target.w, target.h}) frame_.Resize(target.w, target.h);
  frame_.Fill(kBlack);
  for (const Window* l : seen) {
    const Bitmap* picture = &l->Surface();
    if (l->HasVisibleChildren()) {
      l->CompositeInto(layer_picture_);
      picture = &layer_picture_;
    }
    CopyInto(frame_, region, *picture, {l->Bounds().left, l->Bounds().top});
  }
  SDL_UpdateTexture(texture_.get(), &target, frame_.Data(), frame_.Pitch() * int(sizeof(Pixel)));
}

void SdlScreen::Present(const Rect& region) {
  const Rect part = region.Intersect(area_);
  if (!shown_ || part.IsEmpty()) return;
  Compose(part);
  Refresh();
}

void SdlScreen::Refresh() {
  if (!shown_) return;
  const SDL_Rect output = ToSdl(mapping_.output);
  if (!mapping_.IsOneToOne()) SDL_RenderClear(renderer_.get());
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, &output);
  SDL_RenderPresent(renderer_.get());
}

void SdlScreen::Restore() {
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
