#pragma once

#include <memory>
#include <vector>

#include "platform/loop/event_loop.hpp"
#include "platform/window/sdl_screen.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// A player window on the desktop: a layer of a real screen window, or a dialog with a real window
// of its own (`own_screen`), listed in `screens` while it lives.
class SdlWindow final : public Window {
 public:
  SdlWindow(EventLoop& loop, SdlScreen& screen);
  SdlWindow(EventLoop& loop, std::unique_ptr<SdlScreen> own_screen,
            std::vector<SdlScreen*>& screens);
  ~SdlWindow() override;

  void SetBounds(const Rect& bounds) override;
  void Show() override;
  void Hide() override;
  void Present() override { screen_->Present(bounds_); }
  void Invalidate() override;

 private:
  EventLoop& loop_;
  std::unique_ptr<SdlScreen> own_screen_;
  SdlScreen* screen_;
  std::vector<SdlScreen*>* screens_ = nullptr;
};

}  // namespace velmorant::platform
