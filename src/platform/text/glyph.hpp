#pragma once

#include <cstdint>
#include <vector>

namespace velmorant::platform {

// One rendered character: a two-level coverage map placed relative to the pen on the baseline.
struct Glyph {
  int32_t advance = 0;  // pixels the pen moves on
  int32_t left = 0;     // from the pen to the first column
  int32_t top = 0;      // from the baseline up to the first row
  int32_t width = 0;
  int32_t rows = 0;
  std::vector<uint8_t> ink;  // rows x width, 1 where the glyph covers the pixel

  bool Covers(int32_t column, int32_t row) const {
    return ink[size_t(row) * size_t(width) + size_t(column)] != 0;
  }
};

}  // namespace velmorant::platform
