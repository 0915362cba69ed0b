#pragma once

// How two snapshots differ as pictures: their PNG bytes may differ with the encoder's version.

#include <cstdio>
#include <optional>
#include <string>

#include "platform/gfx/bitmap.hpp"

namespace velmorant::golden {

// Nothing when the pictures are equal; else the sizes, or the first differing pixel in reading
// order with both colours and how many pixels differ.
inline std::optional<std::string> SnapshotDifference(const platform::Bitmap& expected,
                                                     const platform::Bitmap& actual) {
  char text[160];
  if (expected.GetSize() != actual.GetSize()) {
    std::snprintf(text, sizeof text, "size %dx%d, expected %dx%d", actual.Width(), actual.Height(),
                  expected.Width(), expected.Height());
    return text;
  }
  std::optional<platform::Point> first;
  int64_t count = 0;
  for (int32_t y = 0; y < expected.Height(); ++y) {
    for (int32_t x = 0; x < expected.Width(); ++x) {
      if (expected.At(x, y) == actual.At(x, y)) continue;
      if (!first) first = platform::Point{x, y};
      ++count;
    }
  }
  if (!first) return std::nullopt;
  std::snprintf(text, sizeof text, "pixel (%d, %d) is #%06X, expected #%06X (%lld pixels differ)",
                first->x, first->y, unsigned(actual.At(first->x, first->y)),
                unsigned(expected.At(first->x, first->y)), static_cast<long long>(count));
  return text;
}

}  // namespace velmorant::golden
