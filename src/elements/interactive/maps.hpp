#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "definition/records_interactive.hpp"
#include "display/timed_appearance.hpp"
#include "display/transitions.hpp"
#include "sequence/control_registry.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class ElementHost;

// Image maps: a picture with rectangular buttons (regions) that hover, hint and act when clicked.
// Other element kinds bring their own map and take over some of its regions as their controls.
class TMapy final : public ElementKind, public ControlRegistry {
 public:
  explicit TMapy(ElementHost& host) : host_(host) {}

  void OnDefinitionLoaded() override;
  int32_t Count() const override { return int32_t(live_.size()); }
  bool IsValid(int32_t map) const { return map >= 0 && map < Count(); }

  void Show(int32_t index) override { ShowPlaced(index, std::nullopt); }
  // Show with a placement rectangle given by the caller instead of the picture's size.
  void ShowPlaced(int32_t index, std::optional<platform::Rect> placement);
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

  // ControlRegistry.
  bool IsMap(int32_t map) const override { return IsValid(map); }
  void ShowMap(int32_t map, std::optional<platform::Rect> placement) override;
  void RunMapPhase(Phase phase, int32_t map) override { Run(phase, map); }
  void SetOnClick(int32_t map, int32_t region, ClickHandler handler) override;
  std::optional<platform::Rect> RegionRect(int32_t map, int32_t region) const override;
  std::string RegionHint(int32_t map, int32_t region) const override;
  void PointerEntered(int32_t map, int32_t region) override;
  void PointerLeft(int32_t map, int32_t region) override;
  void Click(int32_t map, int32_t region) override;

 private:
  struct RegionLive {
    bool Shown = false;
    std::unique_ptr<TRender> HoverRender;
    std::unique_ptr<TRender> NormalRender;
    platform::Rect DestRect;  // all four edges belong to the region
    platform::Rect SourceRect;
    ClickHandler OnClick;
  };
  struct Live {
    Live(DrawingContext& drawing, platform::EventLoop& loop) : Appearance(drawing, loop) {}
    TimedAppearance Appearance;  // the picture, its mask and frame, the show and hide timer
    SharedPicture HoverPicture;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
    std::vector<RegionLive> Regions;
  };

  const TMap& Record(int32_t map) const;
  const RegionLive* Region(int32_t map, int32_t region) const;
  void ShowRegion(int32_t map, int32_t region);
  void AddRegions(int32_t map);
  void RemoveRegions(int32_t map);
  void RunAction(int32_t map, int32_t region);

  ElementHost& host_;
  std::vector<std::unique_ptr<Live>> live_;
};

}  // namespace velmorant
