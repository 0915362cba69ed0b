#include "platform/text/font_request.hpp"

#include <array>
#include <limits>
#include <utility>

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

namespace {

constexpr uint8_t kOemCharset = 255;

constexpr std::array<std::pair<uint8_t, int32_t>, 17> kCharsetCodePages = {{
    {0, 1252},
    {2, 42},
    {77, 10000},
    {128, 932},
    {129, 949},
    {130, 1361},
    {134, 936},
    {136, 950},
    {161, 1253},
    {162, 1254},
    {163, 1258},
    {177, 1255},
    {178, 1256},
    {186, 1257},
    {204, 1251},
    {222, 874},
    {238, 1250},
}};

// The DOS code page that goes with each Windows ANSI code page.
constexpr std::array<std::pair<int32_t, int32_t>, 8> kOemCodePages = {{
    {1250, 852},
    {1251, 866},
    {1252, 850},
    {1253, 737},
    {1254, 857},
    {1255, 862},
    {1256, 720},
    {1257, 775},
}};

}  // namespace

int32_t CodePageForCharset(uint8_t charset, int32_t presentation_code_page) {
  for (const auto& [cs, code_page] : kCharsetCodePages) {
    if (cs == charset) return code_page;
  }
  if (charset == kOemCharset) {
    for (const auto& [ansi, oem] : kOemCodePages) {
      if (ansi == presentation_code_page) return oem;
    }
    return 437;
  }
  return presentation_code_page;
}

FontRequest DefaultGuiFontRequest() {
  FontRequest wanted;
  wanted.name = "MS Sans Serif";
  wanted.size_points = 8;
  return wanted;
}

}  // namespace velmorant::platform
