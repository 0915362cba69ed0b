#include "platform/gfx/bmp_pixel_rows.hpp"

#include <bit>
#include <cstring>

#include "platform/gfx/bmp_channel.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/gfx/little_endian.hpp"

namespace velmorant::platform {

namespace {

void DecodeIndexedRow(std::span<const uint8_t> src, int bits, const BmpPalette& palette,
                      std::span<Pixel> out) {
  const int per_byte = 8 / bits;
  const unsigned index_mask = (1u << bits) - 1;
  for (size_t x = 0; x < out.size(); ++x) {
    const uint8_t byte = src[x / per_byte];
    const int shift = 8 - bits * int(x % per_byte + 1);  // leftmost pixel in the high bits
    out[x] = palette[(byte >> shift) & index_mask];
  }
}

void DecodeRgb24Row(std::span<const uint8_t> src, std::span<Pixel> out) {
  const size_t n = out.size();
  size_t x = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // B, G, R and the next byte in one load, the extra byte masked off: far fewer loads than
    // byte by byte. The last pixel of a row without padding has no next byte.
    const size_t wide = src.size() > 3 * n ? n : (n > 0 ? n - 1 : 0);
    for (; x < wide; ++x) {
      uint32_t bgrx = 0;
      std::memcpy(&bgrx, src.data() + 3 * x, sizeof bgrx);
      out[x] = bgrx & 0xFFFFFFu;
    }
  }
  for (; x < n; ++x) out[x] = Rgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
}

bool IsDefault32(const BmpChannelMasks& m) {
  return m.red == 0xFF0000 && m.green == 0x00FF00 && m.blue == 0x0000FF;
}

struct Channels {
  explicit Channels(const BmpChannelMasks& m) : red(m.red), green(m.green), blue(m.blue) {}
  Pixel operator()(uint32_t v) const {
    return Rgb(red.Extract(v), green.Extract(v), blue.Extract(v));
  }
  BmpChannel red, green, blue;
};

}  // namespace

Bitmap DecodeBmpRows(const BmpLayout& layout) {
  const uint64_t stride = BmpRowStride(layout.width, layout.bits_per_pixel);
  const int bits = layout.bits_per_pixel;
  const Channels channels(layout.masks);
  const bool plain32 = bits == 32 && IsDefault32(layout.masks);
  return Bitmap::FromRows(layout.width, layout.height, [&](int32_t y, std::span<Pixel> dst) {
    const int32_t row = layout.top_down ? y : layout.height - 1 - y;
    const auto src = layout.pixels.subspan(size_t(stride * uint64_t(row)), size_t(stride));
    if (bits <= 8) {
      DecodeIndexedRow(src, bits, layout.palette, dst);
    } else if (bits == 24) {
      DecodeRgb24Row(src, dst);
    } else if (bits == 16) {
      for (size_t x = 0; x < dst.size(); ++x) dst[x] = channels(ReadU16Le(src, 2 * x));
    } else if (plain32) {
      for (size_t x = 0; x < dst.size(); ++x) dst[x] = ReadU32Le(src, 4 * x) & 0xFFFFFFu;
    } else {
      for (size_t x = 0; x < dst.size(); ++x) dst[x] = channels(ReadU32Le(src, 4 * x));
    }
  });
}

}  // namespace velmorant::platform
