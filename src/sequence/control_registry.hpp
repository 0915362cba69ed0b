#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/gfx/geometry.hpp"
#include "sequence/element_kind.hpp"

namespace velmorant {

// Image maps as the controls of the other element kinds: a kind shows its map, takes over some of
// its regions as its own buttons, and runs the map through the page phases with itself. Map and
// region numbers outside their tables answer nothing and do nothing.
class ControlRegistry {
 public:
  using ClickHandler = std::function<void()>;

  virtual ~ControlRegistry() = default;

  virtual bool IsMap(int32_t map) const = 0;
  // Shows a map, in `placement` when given, else in its picture's own size; then placed.
  virtual void ShowMap(int32_t map, std::optional<platform::Rect> placement = std::nullopt) = 0;
  // The "if my map is valid, run its phase" step of every kind that has buttons.
  virtual void RunMapPhase(Phase phase, int32_t map) = 0;
  // A kind takes over a region as its button (after it has shown the map).
  virtual void SetOnClick(int32_t map, int32_t region, ClickHandler handler) = 0;

  // What the display engine's mouse regions need of a region.
  virtual std::optional<platform::Rect> RegionRect(int32_t map, int32_t region) const = 0;
  virtual std::string RegionHint(int32_t map, int32_t region) const = 0;
  virtual void PointerEntered(int32_t map, int32_t region) = 0;
  virtual void PointerLeft(int32_t map, int32_t region) = 0;
  virtual void Click(int32_t map, int32_t region) = 0;
};

}  // namespace velmorant
