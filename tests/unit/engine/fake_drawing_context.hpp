#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "display/drawing_context.hpp"
#include "display/transition_budget.hpp"

namespace velmorant::testing {

// A display with a window surface and a back buffer that records every pause together with what
// the window showed when it was presented.
class FakeDrawingContext : public DrawingContext {
 public:
  FakeDrawingContext(int32_t width, int32_t height, platform::Pixel window_fill = 0,
                     platform::Pixel back_fill = 0)
      : window(width, height, window_fill),
        back_buffer(width, height, back_fill),
        window_canvas(window),
        back_canvas(back_buffer) {}

  platform::Canvas& CurrentCanvas() override {
    return back_buffer_current ? back_canvas : window_canvas;
  }
  platform::Canvas& BackBufferCanvas() override { return back_canvas; }
  bool IsBackBufferCurrent() const override { return back_buffer_current; }
  platform::Size ClientSize() const override { return window.GetSize(); }
  void Sleep(int ms) override {
    sleeps.push_back(ms);
    presented.push_back(window);
    if (on_sleep) on_sleep();
  }
  bool AdmitAnimation(int32_t steps, int32_t delay_ms) override {
    asked.push_back({steps, delay_ms});
    return budget.Take(steps, delay_ms);
  }
  const std::vector<TPrz>& Transitions() const override { return transitions; }
  const std::vector<TRam>& FrameStyles() const override { return frame_styles; }
  SharedPicture LoadPattern(const std::string& fileName) override {
    ++pattern_loads;
    const auto it = patterns.find(fileName);
    if (it == patterns.end()) return nullptr;
    return it->second;
  }
  platform::MemoryBudget& Memory() override { return memory; }
  uint32_t Random() override {
    if (randoms.empty()) return 0;
    return randoms[next_random++ % randoms.size()];
  }

  platform::Bitmap window;
  platform::Bitmap back_buffer;
  platform::Canvas window_canvas;
  platform::Canvas back_canvas;
  bool back_buffer_current = false;
  std::vector<TPrz> transitions;
  std::vector<TRam> frame_styles;
  std::map<std::string, SharedPicture> patterns;
  int pattern_loads = 0;
  platform::MemoryBudget memory;
  std::vector<uint32_t> randoms;
  size_t next_random = 0;
  // What the renderers asked to animate, and the budget that answered (refilled by the test).
  std::vector<std::pair<int32_t, int32_t>> asked;
  TransitionBudget budget;
  std::vector<int> sleeps;
  std::vector<platform::Bitmap> presented;
  std::function<void()> on_sleep;
};

// True when every pixel of `b` inside `r` is `p`.
inline bool AllIn(const platform::Bitmap& b, const platform::Rect& r, platform::Pixel p) {
  for (int32_t y = r.top; y < r.bottom; ++y) {
    for (int32_t x = r.left; x < r.right; ++x) {
      if (b.At(x, y) != p) return false;
    }
  }
  return true;
}

// The bounding rectangle of the pixels of `b` equal to `p` (empty when none).
inline platform::Rect BoundsOf(const platform::Bitmap& b, platform::Pixel p) {
  platform::Rect r{b.Width(), b.Height(), 0, 0};
  bool any = false;
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) {
      if (b.At(x, y) != p) continue;
      any = true;
      r.left = std::min(r.left, x);
      r.top = std::min(r.top, y);
      r.right = std::max(r.right, x + 1);
      r.bottom = std::max(r.bottom, y + 1);
    }
  }
  return any ? r : platform::Rect{};
}

}  // namespace velmorant::testing
