#pragma once

// Builds BMP files in memory for tests, fuzz seeds and benchmarks. Every field can be set to a
// wrong value on purpose; the defaults give a well-formed file.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace velmorant::testing {

struct BmpSpec {
  uint32_t header_size = 40;  // 12 writes the OS/2 1.x core header
  int32_t width = 0;
  int32_t height = 0;  // negative: top-down
  uint16_t planes = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t image_size = 0;
  uint32_t colours_used = 0;
  std::vector<uint32_t> masks;           // after a 40-byte header, or inside a larger one
  std::vector<uint32_t> palette;         // 0x00RRGGBB; written as 3 bytes for core headers
  std::vector<uint8_t> pixels;           // raw pixel data
  std::optional<uint32_t> pixel_offset;  // default: right after the palette
  char signature[2] = {'B', 'M'};
};

inline void PutLe(std::vector<uint8_t>& out, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

inline std::vector<uint8_t> BuildBmp(const BmpSpec& s) {
  std::vector<uint8_t> info;
  PutLe(info, s.header_size, 4);
  if (s.header_size == 12) {
    PutLe(info, uint16_t(s.width), 2);
    PutLe(info, uint16_t(s.height), 2);
    PutLe(info, s.planes, 2);
    PutLe(info, s.bits, 2);
  } else {
    PutLe(info, uint32_t(s.width), 4);
    PutLe(info, uint32_t(s.height), 4);
    PutLe(info, s.planes, 2);
    PutLe(info, s.bits, 2);
    if (s.header_size >= 40) {
      PutLe(info, s.compression, 4);
      PutLe(info, s.image_size, 4);
      PutLe(info, 2835, 4);
      PutLe(info, 2835, 4);
      PutLe(info, s.colours_used, 4);
      PutLe(info, 0, 4);
    }
    const bool masks_inside = s.header_size >= 52 && s.header_size != 64;
    for (size_t i = 0; masks_inside && i < 4 && info.size() + 4 <= s.header_size; ++i) {
      PutLe(info, i < s.masks.size() ? s.masks[i] : 0, 4);
    }
  }
  info.resize(s.header_size, 0);
  if (s.header_size == 40) {
    for (uint32_t m : s.masks) PutLe(info, m, 4);
  }
  for (uint32_t c : s.palette) {
    PutLe(info, c & 0xFFFFFF, s.header_size == 12 ? 3 : 4);
  }
  const uint32_t offset = s.pixel_offset.value_or(uint32_t(14 + info.size()));
  std::vector<uint8_t> file = {uint8_t(s.signature[0]), uint8_t(s.signature[1])};
  PutLe(file, 14 + info.size() + s.pixels.size(), 4);
  PutLe(file, 0, 4);
  PutLe(file, offset, 4);
  file.insert(file.end(), info.begin(), info.end());
  if (offset > file.size()) file.resize(offset, 0);
  file.insert(file.end(), s.pixels.begin(), s.pixels.end());
  return file;
}

// Uncompressed rows, bottom-up, each padded to 4 bytes. `value(x, y)` gives the raw pixel value
// (an index, or the 16/24/32-bit word) of the picture's point (x, y), y from the top.
inline std::vector<uint8_t> PackRows(int32_t width, int32_t height, int bits,
                                     const std::function<uint32_t(int32_t, int32_t)>& value) {
  const size_t stride = (size_t(width) * size_t(bits) + 31) / 32 * 4;
  std::vector<uint8_t> out(stride * size_t(height), 0);
  for (int32_t row = 0; row < height; ++row) {
    uint8_t* line = out.data() + stride * size_t(row);
    const int32_t y = height - 1 - row;
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t v = bits < 32 ? value(x, y) & ((1u << bits) - 1) : value(x, y);
      if (bits < 8) {
        const size_t bit = size_t(x) * size_t(bits);
        line[bit / 8] |= uint8_t(v << (8 - bits - bit % 8));
      } else {
        for (int b = 0; b < bits / 8; ++b)
          line[size_t(x) * size_t(bits / 8) + b] = uint8_t(v >> (8 * b));
      }
    }
  }
  return out;
}

// A 24-bit picture of one colour.
inline std::vector<uint8_t> SolidBmp(int32_t width, int32_t height, uint32_t rgb) {
  BmpSpec s;
  s.width = width;
  s.height = height;
  s.bits = 24;
  s.pixels = PackRows(width, height, 24, [&](int32_t, int32_t) { return rgb; });
  return BuildBmp(s);
}

// A few bytes of RLE8 that claim a picture of width x height: a run, then the end of the picture.
inline std::vector<uint8_t> RleClaimingSize(int32_t width, int32_t height) {
  BmpSpec s;
  s.width = width;
  s.height = height;
  s.bits = 8;
  s.compression = 1;
  s.palette = {0x336699};
  s.pixels = {255, 0, 0, 1};
  return BuildBmp(s);
}

}  // namespace velmorant::testing
