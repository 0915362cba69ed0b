#pragma once

#include <memory>
#include <vector>

#include "definition/records_media.hpp"
#include "display/timed_appearance.hpp"
#include "display/transitions.hpp"
#include "platform/loop/event_loop.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// Frame animations: still pictures drawn one after another into one rectangle, each at its own
// offset, for its own time and with its own transition, once or in a loop; started with the
// screen, after a delay or from a button, and stopped by a button or after a while, which puts
// back what the animation covered.
class TAnimacje final : public ElementKind {
 public:
  explicit TAnimacje(ElementHost& host) : host_(host) {}

  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }
  void Show(int32_t index) override;
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

 private:
  // A frame's picture is read when the frame is first drawn: a page change then costs one frame
  // rather than all of them.
  struct Frame {
    bool Ready = false;
    MaskedPicture Picture;
    std::unique_ptr<TRender> Render;
  };
  struct Live {
    Live(DrawingContext& drawing, platform::EventLoop& loop) : Appearance(drawing, loop) {}
    // The backdrop restored on stopping, the border, and the start-delay and stop-after timer.
    TimedAppearance Appearance;
    // Steps the frames; exists only for an animation whose first frame names a picture.
    std::unique_ptr<platform::Timer> FrameTimer;
    int32_t CurrentFrame = 0;  // the next frame to draw
    platform::Size Natural;    // the first frame's size, which the rectangle scales
    std::vector<Frame> Frames;
  };

  const TAni& Record(int32_t index) const;
  void Prepare(int32_t index);
  MaskedPicture LoadFrame(int32_t index, size_t f);
  // The frame with its picture and renderer, scaled from the natural size to the rectangle.
  Frame& ReadyFrame(int32_t index, size_t f);
  void TakeOverButtons(int32_t index);

  void StartAnimation(int32_t index);
  void Tick(int32_t index);
  void HaltFrames(int32_t index);
  // What the animation's buttons and timer do.
  void Play(int32_t index);
  void StopAnimation(int32_t index);

  ElementHost& host_;
  std::vector<std::unique_ptr<Live>> live_;
};

}  // namespace velmorant
