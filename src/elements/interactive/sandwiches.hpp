#pragma once

#include <memory>
#include <vector>

#include "definition/records_interactive.hpp"
#include "display/asset_source.hpp"
#include "display/frames.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/memory_budget.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// Sandwiches: a stack of masked picture layers painted into one rectangle over what lay there,
// each layer switched on and off by a button of the control map; a second map may sit on top.
class TSandwicze final : public ElementKind {
 public:
  explicit TSandwicze(ElementHost& host) : host_(host) {}

  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }
  void Show(int32_t index) override;
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

 private:
  // A layer keeps its picture and whether it is on from one visit of its screen to the next.
  struct Layer {
    bool Shown = false;
    MaskedPicture Picture;
    bool On = false;
  };
  struct Live {
    bool Shown = false;
    // Set when the first layer gave the sandwich a size; without one it draws nothing and
    // claims no buttons.
    std::unique_ptr<TRamkaRender> Frame;
    platform::Rect Rect;
    platform::Bitmap Backdrop;
    platform::Bitmap Composite;
    platform::MemoryBudget::Charge BackdropCharge;
    platform::MemoryBudget::Charge CompositeCharge;
    bool Captured = false;
    std::vector<Layer> Layers;
  };

  const TSan& Record(int32_t index) const;
  void ShowLayer(int32_t index, size_t layer);
  void ShowMaps(int32_t index);
  // The phase on both maps, for a sandwich that has a size.
  void RunMapsPhase(Phase phase, int32_t index);
  void Repaint(int32_t index);
  void Toggle(int32_t index, size_t layer);

  ElementHost& host_;
  std::vector<Live> live_;
};

}  // namespace velmorant
