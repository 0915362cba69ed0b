#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/decode_result.hpp"

namespace velmorant::platform {

enum class BmpCompression { kRgb, kRle8, kRle4, kBitfields };

// Where each colour channel sits in a 16- or 32-bit pixel. Channels are contiguous and not empty.
struct BmpChannelMasks {
  uint32_t red = 0;
  uint32_t green = 0;
  uint32_t blue = 0;
};

// A colour table of 256 entries: entries the file does not provide are black, as Windows leaves
// them, so any 8-bit index is safe to look up.
using BmpPalette = std::array<Pixel, 256>;

// Everything the pixel decoders need, checked against the file: width and height are positive and
// fit kMaxBitmapPixels; `pixels` lies inside the file (for uncompressed pictures it holds every
// row).
struct BmpLayout {
  int32_t width = 0;
  int32_t height = 0;  // rows, never negative
  bool top_down = false;
  int bits_per_pixel = 0;
  BmpCompression compression = BmpCompression::kRgb;
  BmpChannelMasks masks;  // 16 and 32 bits: the file's masks or the defaults
  BmpPalette palette{};   // 1 to 8 bits
  std::span<const uint8_t> pixels;
};

// Bytes per stored row: rows are padded to 32 bits. 64-bit because widths come from files.
inline uint64_t BmpRowStride(int64_t width, int bits_per_pixel) {
  return (uint64_t(width) * uint64_t(bits_per_pixel) + 31) / 32 * 4;
}

// Reads the file header, the info header (any of the Windows and OS/2 forms), the masks and the
// colour table, and locates the pixel data. Refuses what Windows refuses or cannot mean anything.
DecodeResult<BmpLayout> ParseBmpLayout(std::span<const uint8_t> file);

}  // namespace velmorant::platform
