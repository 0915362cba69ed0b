#include "platform/window/window.hpp"

#include <algorithm>

namespace velmorant::platform {

void Window::SetBounds(const Rect& bounds) {
  const auto w = int32_t(std::clamp<int64_t>(bounds.Width(), 0, 1 << 15));
  const auto h = int32_t(std::clamp<int64_t>(bounds.Height(), 0, 1 << 15));
  bounds_ = {bounds.left, bounds.top, bounds.left + w, bounds.top + h};
  if (surface_.Width() != w || surface_.Height() != h) surface_.Resize(w, h);
}

void Window::AddChild(ChildControl* child) {
  RemoveChild(child);
  children_.push_back(child);
}

void Window::RemoveChild(ChildControl* child) {
  std::erase(children_, child);
  if (focus_ == child) focus_ = nullptr;
  if (capture_ == child) capture_ = nullptr;
}

void Window::SendToBack(ChildControl* child) {
  std::erase(children_, child);
  children_.insert(children_.begin(), child);
}

int16_t Window::ChildCursorAt(Point p) const {
  const ChildControl* c = ChildAt(p.x, p.y);
  return c ? c->Cursor() : int16_t(kCrDefault);
}

Bitmap Window::Composite() const {
  Bitmap out;
  CompositeInto(out);
  return out;
}

void Window::CompositeInto(Bitmap& out) const {
  if (out.GetSize() != surface_.GetSize()) {
    out.Resize(surface_.Width(), surface_.Height());
  }
  for (int32_t y = 0; y < surface_.Height(); ++y) {
    const auto from = surface_.Row(y);
    std::copy(from.begin(), from.end(), out.Row(y).begin());
  }
  for (const ChildControl* c : children_) {
    if (c->Visible()) c->PaintOnto(out);
  }
}

bool Window::HasVisibleChildren() const {
  return std::any_of(children_.begin(), children_.end(),
                     [](const ChildControl* c) { return c->Visible(); });
}

int16_t Window::CursorAt(int32_t x, int32_t y) const {
  const ChildControl* c = ChildAt(x, y);
  return c && c->Cursor() != kCrDefault ? c->Cursor() : cursor_;
}

ChildControl* Window::ChildAt(int32_t x, int32_t y) const {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    if ((*it)->Visible() && (*it)->Bounds().Contains({x, y})) return *it;
  }
  return nullptr;
}

void Window::DeliverMouseMove(int32_t x, int32_t y) {
  if (ChildControl* c = capture_ ? capture_ : ChildAt(x, y)) {
    const Rect b = c->Bounds();
    c->OnMouseMove(x - b.left, y - b.top);
    return;
  }
  if (events_) events_->OnMouseMove(x, y);
}

void Window::DeliverMouseDown(MouseButton button, int32_t x, int32_t y) {
  if (ChildControl* c = ChildAt(x, y)) {
    if (c->TakesFocus()) focus_ = c;
    capture_ = c;
    const Rect b = c->Bounds();
    c->OnMouseDown(button, x - b.left, y - b.top);
    return;
  }
  if (events_) events_->OnMouseDown(button, x, y);
}

void Window::DeliverMouseUp(MouseButton button, int32_t x, int32_t y) {
  ChildControl* c = capture_ ? capture_ : ChildAt(x, y);
  capture_ = nullptr;
  if (c) {
    const Rect b = c->Bounds();
    c->OnMouseUp(button, x - b.left, y - b.top);
    return;
  }
  if (events_) events_->OnMouseUp(button, x, y);
}

void Window::DeliverKeyDown(uint16_t key, KeyModifiers modifiers) {
  if (events_) events_->OnKeyDown(key);
  if (key != 0 && focus_ && focus_->Visible()) focus_->OnKeyDown(key, modifiers);
}

void Window::DeliverWheel(int32_t x, int32_t y, int32_t delta) {
  if (ChildControl* c = ChildAt(x, y)) {
    c->OnWheel(delta);
    return;
  }
  if (events_) events_->OnWheel(x, y, delta);
}

void Window::DeliverPaint() {
  if (events_) events_->OnPaint();
}

void Window::DeliverSystemClose() {
  if (events_) events_->OnSystemClose();
}

}  // namespace velmorant::platform
