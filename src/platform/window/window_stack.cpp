#include "platform/window/window_stack.hpp"

#include <algorithm>

#include "platform/gfx/colour.hpp"

namespace velmorant::platform {

namespace {

// Copies the part of `layer` (placed at `at`) that lies in `region` into `target`, whose first
// pixel is the point `origin`.
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

void FillRect(Bitmap& target, const Rect& rect, Pixel colour) {
  const Rect part = rect.Intersect(target.Bounds());
  for (int32_t y = part.top; y < part.bottom; ++y) {
    const auto row = target.Row(y).subspan(size_t(part.left), size_t(part.Width()));
    std::fill(row.begin(), row.end(), colour);
  }
}

void WindowStack::Remove(Window* layer) {
  std::erase(layers_, layer);
}

void WindowStack::Raise(Window* layer) {
  Remove(layer);
  layers_.push_back(layer);
}

bool WindowStack::AnyVisible() const {
  return std::any_of(layers_.begin(), layers_.end(),
                     [](const Window* l) { return l->IsVisible(); });
}

Window* WindowStack::At(Point screen_point) const {
  for (auto it = layers_.rbegin(); it != layers_.rend(); ++it) {
    if ((*it)->IsVisible() && (*it)->Bounds().Contains(screen_point)) return *it;
  }
  return nullptr;
}

Window* WindowStack::Top() const {
  for (auto it = layers_.rbegin(); it != layers_.rend(); ++it) {
    if ((*it)->IsVisible()) return *it;
  }
  return nullptr;
}

void WindowStack::ComposeInto(Bitmap& target, Point origin, const Rect& region) {
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
  if (!covered) FillRect(target, region.Offset(-origin.x, -origin.y), kBlack);
  for (size_t i = first; i < layers_.size(); ++i) {
    const Window* l = layers_[i];
    if (!l->IsVisible()) continue;
    CopyInto(target, region, origin, PictureOf(*l), {l->Bounds().left, l->Bounds().top});
  }
}

const Bitmap& WindowStack::PictureOf(const Window& layer) {
  if (!layer.HasVisibleChildren()) return layer.Surface();
  layer.CompositeInto(layer_picture_);
  return layer_picture_;
}

}  // namespace velmorant::platform
