// BMP decoding of arbitrary bytes: never a crash, a hang, an over-read or an oversized picture,
// and every decoded pixel keeps its top byte 0.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx/bmp_decoder.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmorant::platform;
  const auto result = DecodeBmp(std::span<const uint8_t>(data, size));
  if (!result) return 0;
  const Bitmap& b = *result;
  if (b.Width() < 0 || b.Height() < 0 || int64_t{b.Width()} * b.Height() > kMaxBitmapPixels) {
    __builtin_trap();
  }
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (Pixel p : b.Row(y)) {
      if (p > 0xFFFFFFu) __builtin_trap();
    }
  }
  return 0;
}
