#pragma once

#include <cstdint>
#include <string>

#include "definition/actions.hpp"

namespace velmorant {

// A background picture with its cut-out in percent.
struct TTlo {
  std::string Name;
  std::string FileName;
  int32_t CropLeft = 0;
  int32_t CropTop = 0;
  int32_t CropRight = 100;
  int32_t CropBottom = 100;
  friend bool operator==(const TTlo&, const TTlo&) = default;
};

struct TObr {
  std::string Name;
  std::string FileName;
  uint8_t Masked = 0;
  int32_t X = 10;
  int32_t Y = 10;
  int32_t W = 0;
  int32_t H = 0;
  uint8_t VisibleAtStart = 1;
  int32_t MapIndex = -1;
  int32_t ShowRegion = -1;
  int32_t HideRegion = -1;
  int32_t DelayMs = 0;  // from edition 'd'
  int32_t TransitionIn = -1;
  int32_t DurationMs = 0;      // from edition 'd'
  int32_t TransitionOut = -1;  // from edition 'd'
  int32_t FrameIndex = -1;
  friend bool operator==(const TObr&, const TObr&) = default;
};

// DEFAULT_CHARSET: files before 'f' use the presentation's code page.
inline constexpr int32_t kDefaultCharset = 1;

struct TNap {
  std::string Name;
  std::string FileName;
  int32_t X = 10;
  int32_t Y = 10;
  int32_t W = 50;
  int32_t H = 0;
  std::string TextureFile;     // from edition 'd'
  int32_t DelayMs = 0;         // from edition 'd'
  int32_t TransitionIn = -1;   // from edition 'd'
  int32_t DurationMs = 0;      // from edition 'd'
  int32_t TransitionOut = -1;  // from edition 'd'
  int32_t FrameIndex = -1;
  std::string FontName;
  int32_t FontSize = 0;
  int32_t Colour = 0;
  uint8_t Bold = 0;
  uint8_t Italic = 0;
  uint8_t Underline = 0;
  uint8_t StrikeOut = 0;
  int32_t Charset = kDefaultCharset;  // from edition 'f'
  friend bool operator==(const TNap&, const TNap&) = default;
};

struct TTek {
  std::string Name;
  std::string FileName;
  TIntWektor Targets;
  int32_t X = 10;
  int32_t Y = 10;
  int32_t W = 50;
  int32_t H = 50;
  uint8_t VisibleAtStart = 1;
  int32_t MapIndex = -1;
  int32_t ShowRegion = -1;
  int32_t HideRegion = -1;
  int32_t PrintRegion = -1;
  uint8_t Keep = 0;  // from edition 'd'
  int32_t FrameIndex = -1;
  int32_t BackColour = 0xFFFFFF;
  friend bool operator==(const TTek&, const TTek&) = default;
};

}  // namespace velmorant
