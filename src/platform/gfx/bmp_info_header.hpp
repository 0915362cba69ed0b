#pragma once

#include <cstdint>
#include <span>

#include "platform/gfx/decode_result.hpp"

namespace velmorant::platform {

// Raw compression codes of the info header.
inline constexpr uint32_t kBiRgb = 0;
inline constexpr uint32_t kBiRle8 = 1;
inline constexpr uint32_t kBiRle4 = 2;
inline constexpr uint32_t kBiBitfields = 3;  // OS/2 2.x: Huffman 1D
inline constexpr uint32_t kBiJpeg = 4;       // OS/2 2.x: RLE24
inline constexpr uint32_t kBiPng = 5;
inline constexpr uint32_t kBiAlphaBitfields = 6;

inline constexpr size_t kBmpFileHeaderSize = 14;

// The info header's fields as stored, whatever its form; fields a short form lacks are 0.
struct BmpInfoHeader {
  uint32_t header_size = 0;
  int64_t width = 0;   // signed in every form but the 12-byte one
  int64_t height = 0;  // negative: rows stored top-down
  uint16_t planes = 0;
  uint16_t bits_per_pixel = 0;
  uint32_t compression = kBiRgb;
  uint32_t image_size = 0;
  uint32_t colours_used = 0;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha, when the header holds them
  bool HasMasksInside() const { return header_size >= 52; }
  bool IsCore() const { return header_size == 12; }
  bool IsOs2V2() const { return header_size == 16 || header_size == 64; }
};

// Reads the info header that starts at `offset`. Refuses unknown header sizes and short files.
DecodeResult<BmpInfoHeader> ReadBmpInfoHeader(std::span<const uint8_t> file, size_t offset);

}  // namespace velmorant::platform
