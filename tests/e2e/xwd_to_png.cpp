// Turns a screenshot taken by xwd (24 or 32 bits a pixel, true colour) into a PNG written as the
// player writes its snapshots, cut to a rectangle, so that the two compare byte for byte.
//   xwd_to_png IN.xwd OUT.png [LEFT TOP WIDTH HEIGHT]
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/png_writer.hpp"

namespace {

uint32_t Field(const std::vector<uint8_t>& bytes, size_t index) {
  const size_t at = index * 4;
  return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
         bytes[at + 3];
}

int Fail(const std::string& why) {
  std::cerr << "xwd_to_png: " << why << '\n';
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 7) return Fail("usage: xwd_to_png IN.xwd OUT.png [L T W H]");
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  if (bytes.size() < 100) return Fail("not an xwd file");
  enum {
    kHeaderSize,
    kVersion,
    kFormat,
    kDepth,
    kWidth,
    kHeight,
    kByteOrder = 7,
    kBitsPerPixel = 11,
    kBytesPerLine,
    kRedMask = 14,
    kGreenMask,
    kBlueMask,
    kColours = 19
  };
  if (Field(bytes, kVersion) != 7 || Field(bytes, kFormat) != 2 ||
      (Field(bytes, kBitsPerPixel) != 32 && Field(bytes, kBitsPerPixel) != 24) ||
      Field(bytes, kRedMask) != 0xFF0000 || Field(bytes, kGreenMask) != 0xFF00 ||
      Field(bytes, kBlueMask) != 0xFF) {
    return Fail("only true-colour ZPixmap screenshots are read");
  }
  const size_t step = Field(bytes, kBitsPerPixel) / 8;
  const auto width = int32_t(Field(bytes, kWidth));
  const auto height = int32_t(Field(bytes, kHeight));
  const size_t line = Field(bytes, kBytesPerLine);
  const size_t start = size_t(Field(bytes, kHeaderSize)) + size_t(Field(bytes, kColours)) * 12;
  const bool msb_first = Field(bytes, kByteOrder) == 1;
  if (width <= 0 || height <= 0 || line < size_t(width) * step ||
      start + line * size_t(height) > bytes.size()) {
    return Fail("truncated screenshot");
  }
  int32_t left = 0, top = 0, w = width, h = height;
  if (argc == 7) {
    left = std::atoi(argv[3]);
    top = std::atoi(argv[4]);
    w = std::atoi(argv[5]);
    h = std::atoi(argv[6]);
    if (left < 0 || top < 0 || w <= 0 || h <= 0 || left + w > width || top + h > height) {
      return Fail("the rectangle leaves the screenshot");
    }
  }
  velmorant::platform::Bitmap picture(w, h);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* row = bytes.data() + start + size_t(top + y) * line + size_t(left) * step;
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t* p = row + size_t(x) * step;
      // Red, green and blue bytes in the file's byte order; a fourth byte is padding.
      const size_t r = msb_first ? step - 3 : 2;
      const size_t g = msb_first ? step - 2 : 1;
      const size_t b = msb_first ? step - 1 : 0;
      picture.Set(x, y, velmorant::platform::Pixel(p[r]) << 16 | uint32_t(p[g]) << 8 | p[b]);
    }
  }
  if (!velmorant::platform::WritePng(picture, argv[2])) return Fail("cannot write the PNG");
  return 0;
}
