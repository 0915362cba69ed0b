#pragma once

#include <optional>
#include <string_view>

#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// How a desktop shows a presentation made for an older, smaller screen: as it is (none), or on a
// virtual screen of its design size scaled to the real one.
enum class ScaleMode { kNone, kFit, kInteger, kStretch };

// "none", "fit", "integer" or "stretch"; anything else is no mode.
constexpr std::optional<ScaleMode> ParseScaleMode(std::string_view word) {
  if (word == "none") return ScaleMode::kNone;
  if (word == "fit") return ScaleMode::kFit;
  if (word == "integer") return ScaleMode::kInteger;
  if (word == "stretch") return ScaleMode::kStretch;
  return std::nullopt;
}

// A screen at least twice the design size both ways: worth a word about scaling.
constexpr bool SuggestsScaling(Size screen, Size design) {
  return design.width > 0 && design.height > 0 && screen.width >= 2 * int64_t{design.width} &&
         screen.height >= 2 * int64_t{design.height};
}

}  // namespace velmorant::platform
