#include "platform/text/font_spec.hpp"

#include <cstdlib>
#include <limits>

namespace velmorant::platform {

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t numerator = int64_t{a} * b;
  int64_t divisor = c;
  if (divisor < 0) {
    numerator = -numerator;
    divisor = -divisor;
  }
  const int64_t half = divisor / 2;
  const int64_t result =
      numerator >= 0 ? (numerator + half) / divisor : (numerator - half) / divisor;
  if (result > std::numeric_limits<int32_t>::max() ||
      result < -std::numeric_limits<int32_t>::max()) {
    return -1;
  }
  return int32_t(result);
}

int32_t FontHeightForPoints(int32_t points) {
  // -MulDiv(...) cannot overflow: MulDiv never answers INT32_MIN.
  return -MulDiv(points, 96, 72);
}

FontSpec DefaultGuiFontSpec() {
  FontSpec spec;
  spec.name = "MS Sans Serif";
  spec.size_points = 8;
  return spec;
}

}  // namespace velmorant::platform
