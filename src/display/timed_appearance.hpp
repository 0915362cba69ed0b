#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "display/asset_source.hpp"
#include "display/drawing_context.hpp"
#include "display/frames.hpp"
#include "display/transitions.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/memory_budget.hpp"

namespace velmorant {

// An element's coming and going in one rectangle: it appears with a transition of its own
// (through its mask), optionally framed, and can disappear again with another transition that
// puts back what lay under it; one timer delays the appearance or ends the stay. Maps, images,
// captions, animations and films share it. Every phase of such an element opens with "skip if
// not shown": `Shown` is kept here for them.
class TimedAppearance {
 public:
  struct Look {
    int32_t appear_transition = -1;
    int32_t disappear_transition = -1;
    int32_t frame = -1;
    // Keeps a backdrop (saved at every appearance) for the disappearance to restore.
    bool can_disappear = false;
    // Delays or stays are timed: the timer exists.
    bool timed = false;
    // Appear while up, or Disappear while gone, draws nothing (the timer is set all the same): no
    // effect replayed over the element itself, and no old or never-saved backdrop painted over
    // what is there now.
    bool draw_changes_only = false;
  };

  TimedAppearance(DrawingContext& drawing, platform::EventLoop& loop)
      : drawing_(drawing), loop_(loop) {}
  TimedAppearance(const TimedAppearance&) = delete;
  TimedAppearance& operator=(const TimedAppearance&) = delete;

  bool Shown() const { return shown_; }
  void SetShown() { shown_ = true; }

  // Builds the renderers around `rect`; without a picture nothing appears, but the frame, the
  // backdrop and the timer work as for any other element. `picture_part` is the rectangle's
  // extent in the picture's pixels (the whole picture when none): it may reach past a picture cut
  // off at the window's edge, whose missing part then draws nothing.
  void Prepare(const Look& look, const platform::Rect& rect, MaskedPicture picture,
               std::optional<platform::Rect> picture_part = std::nullopt);
  bool Prepared() const { return prepared_; }
  // Clears Shown and drops everything without drawing (the page's Hide).
  void Release();

  const platform::Rect& Rect() const { return rect_; }
  const platform::Bitmap* Picture() const { return picture_.picture.get(); }
  const platform::Bitmap* Mask() const { return picture_.mask.get(); }

  // Saves the backdrop and the frame's background when the element can disappear, brings the
  // picture in, draws the frame, then runs `on_appeared`. Drawn again while it shows (Compose put
  // it into the page, Start draws it on the window), it keeps what it saved the first time: a
  // backdrop taken now would hold the element itself, which then could never disappear.
  void DrawAppearing();
  // Between an appearing draw and a disappearing one.
  bool Visible() const { return visible_; }
  // Removes the frame, brings the backdrop back, then runs `on_disappeared`.
  void DrawDisappearing();

  // Draws appearing; then the stay: under 1 ms the timer is disarmed, otherwise it is armed to
  // disappear after `stay_ms`.
  void Appear(int32_t stay_ms);
  // Draws disappearing; then disarms the timer.
  void Disappear();
  // Arms the timer (when there is one) to Appear after `delay_ms`, staying `stay_ms`.
  void AppearAfter(int32_t delay_ms, int32_t stay_ms);
  // Arms the timer (when there is one) to Disappear after `ms`.
  void DisappearAfter(int32_t ms);
  // Arms the timer (when there is one) with a handler of the element's own.
  void ArmTimer(int32_t ms, std::function<void()> handler);
  void DisarmTimer();
  bool HasTimer() const { return timer_ != nullptr; }

  std::function<void()> on_appeared;
  std::function<void()> on_disappeared;

 private:
  DrawingContext& drawing_;
  platform::EventLoop& loop_;
  bool shown_ = false;
  bool prepared_ = false;
  bool visible_ = false;
  bool can_disappear_ = false;
  bool draw_changes_only_ = false;
  platform::Rect rect_;
  MaskedPicture picture_;
  std::unique_ptr<platform::Bitmap> backdrop_;
  platform::MemoryBudget::Charge backdrop_charge_;
  std::unique_ptr<TRender> appear_;
  std::unique_ptr<TRender> disappear_;
  std::unique_ptr<TRamkaRender> frame_;
  std::unique_ptr<platform::Timer> timer_;
};

}  // namespace velmorant
