#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "definition/records_media.hpp"
#include "display/timed_appearance.hpp"
#include "display/transitions.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/memory_budget.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// Films, played by the presentation window's one film player in a rectangle of the window: by
// themselves at Start or after a delay, or from a map's buttons; they can pause, stop, stop after
// a while and silence the wave sounds. A film without a play button moves the presentation on
// when it ends. Where a film can stop early, its poster, or what it covered, is put back.
class TFilmy final : public ElementKind {
 public:
  explicit TFilmy(ElementHost& host) : host_(host) {}

  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }

  void Show(int32_t index) override;
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Activate(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

  // The region, timer and notification handlers.
  void Play(int32_t index);
  void Pause(int32_t index);
  void StopFilm(int32_t index);
  void EndOfFilm(int32_t index);

 private:
  struct Live {
    Live(DrawingContext& drawing, platform::EventLoop& loop) : Appearance(drawing, loop) {}
    // Shown, the frame, and what the film covered when there is no poster to put back.
    TimedAppearance Appearance;
    platform::Rect Rect;
    std::unique_ptr<platform::Bitmap> Poster;
    platform::MemoryBudget::Charge PosterCharge;
    std::unique_ptr<TRender> PosterRender;
    std::unique_ptr<platform::Timer> Timer;  // the start delay, then the stop-after time
    bool Played = false;                     // since Show: there is something to put back
  };

  const TFil& Record(int32_t index) const;
  static bool CanStopEarly(const TFil& film);
  void MakePoster(int32_t index);
  void PlayFilm(int32_t index);
  void StopPlayback(int32_t index);

  ElementHost& host_;
  std::vector<std::unique_ptr<Live>> live_;
};

}  // namespace velmorant
