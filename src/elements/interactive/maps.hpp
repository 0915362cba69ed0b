#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "definition/records_interactive.hpp"
#include "display/frames.hpp"
#include "display/transitions.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/loop/event_loop.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

class Player;

// Image maps: a picture with rectangular buttons (regions) that hover, hint and act when clicked.
// Other element kinds bring their own map and take over some of its regions as their controls.
class TMapy final : public ElementKind {
 public:
  using ClickHandler = std::function<void()>;

  explicit TMapy(Player& player) : player_(player) {}

  void OnDefinitionLoaded();
  int32_t Count() const override { return int32_t(live_.size()); }
  bool IsValid(int32_t map) const { return map >= 0 && map < Count(); }

  void Show(int32_t index, TAkc* slot) override { ShowPlaced(index, slot, std::nullopt); }
  // Show with a placement rectangle given by the caller instead of the picture's size.
  void ShowPlaced(int32_t index, TAkc* slot, std::optional<platform::Rect> placement);
  void Compose(int32_t index) override;
  void Start(int32_t index) override;
  void Stop(int32_t index) override;
  void Hide(int32_t index) override;
  void Preload(int32_t index) override;

  // What the mouse regions of the display engine need of a region; out-of-range numbers answer
  // nothing and do nothing.
  std::optional<platform::Rect> RegionRect(int32_t map, int32_t region) const;
  std::string RegionHint(int32_t map, int32_t region) const;
  void PointerEntered(int32_t map, int32_t region);
  void PointerLeft(int32_t map, int32_t region);
  void Click(int32_t map, int32_t region);
  // An element takes over a region as its control (after it has shown the map).
  void SetOnClick(int32_t map, int32_t region, ClickHandler handler);

 private:
  struct RegionLive {
    bool Shown = false;
    TAkc* ActionSlot = nullptr;
    std::unique_ptr<TRender> HoverRender;
    std::unique_ptr<TRender> NormalRender;
    platform::Rect DestRect;  // all four edges belong to the region
    platform::Rect SourceRect;
    ClickHandler OnClick;
  };
  struct Live {
    bool Shown = false;
    std::unique_ptr<platform::Bitmap> Picture;
    std::unique_ptr<platform::Bitmap> HoverPicture;
    std::unique_ptr<platform::Bitmap> Mask;
    std::unique_ptr<platform::Bitmap> Backdrop;
    std::unique_ptr<TRender> Render;
    std::unique_ptr<TRender> RestoreRender;
    std::unique_ptr<TRamkaRender> FrameRender;
    platform::Rect Rect;
    std::unique_ptr<platform::Timer> Timer;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
    std::vector<RegionLive> Regions;
  };

  const TMap& Record(int32_t map) const;
  const RegionLive* Region(int32_t map, int32_t region) const;
  void ShowRegion(int32_t map, int32_t region, TAkc* slot);
  void Display(int32_t map, bool show);
  void DelayedShow(int32_t map);
  void DelayedHide(int32_t map);
  void RunAction(int32_t map, int32_t region);

  Player& player_;
  std::vector<Live> live_;
};

}  // namespace velmorant
