#pragma once

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/web/web_page.hpp"
#include "platform/window/window.hpp"
#include "platform/window/window_stack.hpp"

namespace velmorant::platform {

// The page's one canvas: every player window is a layer of it, placed in screen coordinates.
class WebScreen {
 public:
  WebScreen(WebPage& page, Size size) : page_(page), size_(size) {}
  WebScreen(const WebScreen&) = delete;
  WebScreen& operator=(const WebScreen&) = delete;

  Size GetSize() const { return size_; }
  // The screen takes the presentation's size before any window shows.
  void Resize(Size size) { size_ = size; }

  WindowStack& Layers() { return stack_; }
  const WindowStack& Layers() const { return stack_; }
  void LayerShown(Window* layer);
  void LayerHidden(Window* layer);

  // Puts what the layers show inside `region` on the canvas now.
  void Present(const Rect& region);
  void PresentAll() { Present({0, 0, size_.width, size_.height}); }

 private:
  WebPage& page_;
  Size size_;
  WindowStack stack_;
  Bitmap frame_;  // the whole screen, kept between presents
};

// A player window in the page: a layer of the canvas.
class WebWindow final : public Window {
 public:
  WebWindow(EventLoop& loop, WebScreen& screen);
  ~WebWindow() override;

  void Show() override;
  void Hide() override;
  void Present() override { screen_.Present(bounds_); }
  void Invalidate() override;

 private:
  EventLoop& loop_;
  WebScreen& screen_;
};

}  // namespace velmorant::platform
