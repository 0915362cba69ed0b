#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmorant {

// A screen transition as the definition names it.
struct TPrz {
  std::string Name;
  uint8_t Kind = 0;  // compared as a signed byte
  int32_t DelayMs = 0;
  int32_t Steps = 1;
  friend bool operator==(const TPrz&, const TPrz&) = default;
};

// A frame style drawn around elements.
struct TRam {
  std::string Name;
  int32_t Width = 0;
  int32_t Color = 0xFFFFFF;
  uint8_t Kind = 0;  // 0 none, 1 ring, 2..5 L-shaped edges; from edition 'd'
  std::string PatternFile;
  friend bool operator==(const TRam&, const TRam&) = default;
};

}  // namespace velmorant
