// BMP decoding of arbitrary bytes: never a crash, a hang, an over-read or an oversized picture;
// every decoded pixel keeps its top byte 0; and the size read from the headers alone is exactly
// the decoded picture's (a budget check from the headers depends on it).

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx/bmp_decoder.hpp"

namespace {

// Larger pictures are checked from their headers only. Decoding one near the pixel budget takes
// about a second under the sanitizers, and nothing in the decoder depends on the size but the
// clipping at the edges, which small pictures reach as well.
constexpr int64_t kDecodedPixels = int64_t{1} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmorant::platform;
  const std::span<const uint8_t> file(data, size);
  const auto announced = ReadBmpSize(file);
  if (announced) {
    const int64_t pixels = int64_t{announced->width} * announced->height;
    if (announced->width <= 0 || announced->height <= 0 || pixels > kMaxBitmapPixels) {
      __builtin_trap();
    }
    if (pixels > kDecodedPixels) return 0;
  }
  const auto result = DecodeBmp(file);
  if (result.has_value() != announced.has_value()) __builtin_trap();
  if (!result) return 0;
  const Bitmap& b = *result;
  if (b.GetSize() != *announced) __builtin_trap();
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (Pixel p : b.Row(y)) {
      if (p > 0xFFFFFFu) __builtin_trap();
    }
  }
  return 0;
}
