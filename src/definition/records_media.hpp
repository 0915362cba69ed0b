#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmorant {

struct TDzw {
  int32_t Number = 0;  // position in the table, set by the loader
  std::string Name;
  std::string FileName;
  uint8_t AutoPlay = 1;
  int32_t MapIndex = -1;
  int32_t PlayRegion = -1;
  int32_t StopRegion = -1;
  uint8_t Loop = 0;
  friend bool operator==(const TDzw&, const TDzw&) = default;
};

struct TFil {
  std::string Name;
  std::string FileName;
  std::string PosterName;  // from edition 'd'
  uint8_t Silence = 1;
  uint8_t AutoStart = 1;
  int32_t MapIndex = -1;
  int32_t PlayRegion = -1;
  int32_t PauseRegion = -1;
  int32_t StopRegion = -1;
  int32_t X = 10;
  int32_t Y = 10;
  int32_t Width = 50;
  int32_t Height = 50;
  int32_t StartDelay = 0;  // from edition 'd'
  int32_t StopAfter = 0;   // from edition 'd'
  int32_t FrameIndex = -1;
  friend bool operator==(const TFil&, const TFil&) = default;
};

// One frame of an animation.
struct TKlt {
  std::string FileName;
  uint8_t UseMask = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Duration = 0;
  int32_t TransitionIndex = -1;
  friend bool operator==(const TKlt&, const TKlt&) = default;
};

// An animation; the whole table exists from edition 'd'.
struct TAni {
  std::string Name;
  int32_t X = 50;
  int32_t Y = 50;
  int32_t Width = 0;
  int32_t Height = 0;
  uint8_t AutoStart = 1;
  uint8_t Loop = 1;
  int32_t MapIndex = -1;
  int32_t PlayRegion = -1;
  int32_t StopRegion = -1;
  int32_t StartDelay = 0;
  int32_t StopAfter = 0;
  int32_t TransitionIndex = -1;
  int32_t FrameIndex = -1;
  std::vector<TKlt> Frames;
  friend bool operator==(const TAni&, const TAni&) = default;
};

}  // namespace velmorant
