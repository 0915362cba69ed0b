#pragma once

#include <cstdint>

namespace velmorant::platform {

// What Windows reports of a font (TEXTMETRIC and the line positions of OUTLINETEXTMETRIC), in
// pixels. Decoration positions count upwards from the baseline: an underline's is negative.
struct TextMetrics {
  int32_t height = 0;  // ascent + descent: the DrawText line height
  int32_t ascent = 0;
  int32_t descent = 0;
  int32_t internal_leading = 0;
  int32_t external_leading = 0;
  int32_t ave_char_width = 0;
  int32_t underline_position = 0;
  int32_t underline_thickness = 0;
  int32_t strikeout_position = 0;
  int32_t strikeout_thickness = 0;

  friend bool operator==(const TextMetrics&, const TextMetrics&) = default;
};

}  // namespace velmorant::platform
