#include "platform/window/sdl_window.hpp"

#include <algorithm>

namespace velmorant::platform {

SdlWindow::SdlWindow(EventLoop& loop, SdlScreen& screen) : loop_(loop), screen_(&screen) {
  screen_->AddLayer(this);
}

SdlWindow::SdlWindow(EventLoop& loop, std::unique_ptr<SdlScreen> own_screen,
                     std::vector<SdlScreen*>& screens)
    : loop_(loop),
      own_screen_(std::move(own_screen)),
      screen_(own_screen_.get()),
      screens_(&screens) {
  screen_->AddLayer(this);
  screens_->push_back(own_screen_.get());
}

SdlWindow::~SdlWindow() {
  // Input and paints waiting for a window that goes away are dropped with it.
  loop_.CancelAll(static_cast<const Window*>(this));
  screen_->RemoveLayer(this);
  if (screens_) std::erase(*screens_, own_screen_.get());
}

void SdlWindow::SetBounds(const Rect& bounds) {
  Window::SetBounds(bounds);
  if (!own_screen_) return;
  if (own_screen_->IsShown()) {
    own_screen_->SetArea(bounds_);
    return;
  }
  // Made anew where it belongs: a place given to a hidden window does not always hold when it
  // appears.
  SdlScreen::Placement placement = own_screen_->GetPlacement();
  placement.area = bounds_;
  placement.positioned = true;
  auto moved = std::make_unique<SdlScreen>(placement);
  std::erase(*screens_, own_screen_.get());
  own_screen_ = std::move(moved);
  screen_ = own_screen_.get();
  screens_->push_back(screen_);
  screen_->AddLayer(this);
}

void SdlWindow::Show() {
  const bool was = visible_;
  Window::Show();
  screen_->LayerShown(this);
  if (!was) Invalidate();
}

void SdlWindow::Hide() {
  if (!visible_) return;
  Window::Hide();
  screen_->LayerHidden(this);
}

void SdlWindow::Invalidate() {
  loop_.PostPaint(static_cast<const Window*>(this), [this] {
    DeliverPaint();
    screen_->LayerPainted(this);
  });
}

}  // namespace velmorant::platform
