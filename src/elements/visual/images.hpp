#pragma once

#include <memory>
#include <vector>

#include "definition/records_visual.hpp"
#include "display/timed_appearance.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// Images: a picture placed in percent of the window, optionally masked and framed, that can come
// in after a delay or from a button of its map, and go again after a while or from another button,
// each time with a transition of its own; going puts back what lay beneath.
class TObrazy final : public ElementKind {
 public:
  explicit TObrazy(ElementHost& host) : host_(host) {}

  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }
  void Show(int32_t index) override;
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

 private:
  struct Live {
    Live(DrawingContext& drawing, platform::EventLoop& loop) : Appearance(drawing, loop) {}
    TimedAppearance Appearance;
    // Compose drew it into the page already, so Start does not draw it again.
    bool Drawn = false;
  };

  const TObr& Record(int32_t index) const;
  void Prepare(int32_t index);
  void TakeOverButtons(int32_t index);
  // What the image's buttons do.
  void Appear(int32_t index);
  void Disappear(int32_t index);

  ElementHost& host_;
  std::vector<std::unique_ptr<Live>> live_;
};

}  // namespace velmorant
