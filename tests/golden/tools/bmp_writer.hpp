// Writes 24-bit bottom-up BMP files for fixture presentations (the golden fixture tool and the
// player benchmark). Pixels come from a callback one row at a time, so a full-screen picture needs
// no whole-picture buffer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace velmorant::fixtures {

using Rgb = uint32_t;  // 0xRRGGBB

namespace bmp_detail {

inline void Put16(std::string& out, uint16_t v) {
  out.push_back(char(v & 0xFF));
  out.push_back(char(v >> 8));
}

inline void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

}  // namespace bmp_detail

// The largest side the writer accepts; enough for any fixture, small enough that sizes cannot
// overflow the 32-bit header fields.
inline constexpr int kMaxBmpSide = 8192;

// `pixel_at(x, y)` gives the colour at column x of row y, y = 0 being the top row. False when the
// size is out of range or the file cannot be written.
template <class PixelAt>
bool WriteBmp(const std::filesystem::path& path, int w, int h, PixelAt pixel_at) {
  using bmp_detail::Put16;
  using bmp_detail::Put32;
  if (w < 1 || h < 1 || w > kMaxBmpSide || h > kMaxBmpSide) return false;
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  const uint32_t stride = (uint32_t(w) * 3 + 3) & ~3u;
  const uint32_t image = stride * uint32_t(h);
  std::string header;
  header += "BM";
  Put32(header, 54 + image);
  Put32(header, 0);
  Put32(header, 54);
  Put32(header, 40);
  Put32(header, uint32_t(w));
  Put32(header, uint32_t(h));
  Put16(header, 1);
  Put16(header, 24);
  Put32(header, 0);
  Put32(header, image);
  Put32(header, 2835);
  Put32(header, 2835);
  Put32(header, 0);
  Put32(header, 0);
  out.write(header.data(), std::streamsize(header.size()));
  std::string row(stride, '\0');
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const Rgb c = pixel_at(x, y);
      const size_t at = size_t(x) * 3;
      row[at] = char(c & 0xFF);
      row[at + 1] = char((c >> 8) & 0xFF);
      row[at + 2] = char((c >> 16) & 0xFF);
    }
    out.write(row.data(), std::streamsize(row.size()));
  }
  return bool(out);
}

}  // namespace velmorant::fixtures
