#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "definition/records_sequence.hpp"
#include "display/transitions.hpp"
#include "platform/loop/event_loop.hpp"

namespace velmorant {

class EngineHost;

// The play sequence: pages, each naming a screen, its transition and its auto-advance time.
class TMedia {
 public:
  explicit TMedia(EngineHost& host) : host_(host) {}

  void OnDefinitionLoaded();
  int32_t Count() const { return int32_t(live_.size()); }
  // The screen a page names; -1 for a page outside the sequence.
  int32_t ScreenOf(int32_t page) const;

  void PreloadAll();

  void Show(int32_t page);
  void Compose(int32_t page);
  void Start(int32_t page);
  void Activate(int32_t page);
  void Stop(int32_t page);
  void Hide(int32_t page);
  void Preload(int32_t page);

 private:
  struct Live {
    bool Shown = false;
    std::unique_ptr<TRender> Transition;
    std::unique_ptr<platform::Timer> Timer;
  };
  const TMed& Record(int32_t page) const;
  Live* Entry(int32_t page);
  void AutoAdvance(int32_t page);

  EngineHost& host_;
  std::vector<Live> live_;
};

}  // namespace velmorant
