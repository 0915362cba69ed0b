#include "platform/web/web_screen.hpp"

namespace velmorant::platform {

void WebScreen::LayerShown(Window* layer) {
  stack_.Raise(layer);
  Present(layer->Bounds());
}

void WebScreen::LayerHidden(Window* layer) {
  Present(layer->Bounds());
}

void WebScreen::Present(const Rect& region) {
  const Rect screen{0, 0, size_.width, size_.height};
  const Rect shown = region.Intersect(screen);
  if (shown.IsEmpty()) return;
  if (frame_.GetSize() != size_) {
    if (!stack_.AnyVisible()) return;
    frame_ = Bitmap(size_.width, size_.height);
    // A new canvas shows nothing yet: all of it is new.
    stack_.ComposeInto(frame_, {0, 0}, screen);
    page_.Present(frame_, screen);
    return;
  }
  stack_.ComposeInto(frame_, {0, 0}, shown);
  page_.Present(frame_, shown);
}

WebWindow::WebWindow(EventLoop& loop, WebScreen& screen) : loop_(loop), screen_(screen) {
  screen_.Layers().Add(this);
}

WebWindow::~WebWindow() {
  // Input and paints waiting for a window that goes away are dropped with it.
  loop_.CancelAll(static_cast<const Window*>(this));
  screen_.Layers().Remove(this);
}

void WebWindow::Show() {
  const bool was = visible_;
  Window::Show();
  screen_.LayerShown(this);
  if (!was) Invalidate();
}

void WebWindow::Hide() {
  if (!visible_) return;
  Window::Hide();
  screen_.LayerHidden(this);
}

void WebWindow::Invalidate() {
  loop_.PostPaint(static_cast<const Window*>(this), [this] { DeliverPaint(); });
}

}  // namespace velmorant::platform
