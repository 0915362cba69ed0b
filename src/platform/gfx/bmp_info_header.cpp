#include "platform/gfx/bmp_info_header.hpp"

#include <string>

#include "platform/gfx/little_endian.hpp"

namespace velmorant::platform {

namespace {

// 12: OS/2 1.x core; 16 and 64: OS/2 2.x; 40: Windows 3.x; 52, 56: with masks; 108: v4; 124: v5.
bool IsKnownHeaderSize(uint32_t size) {
  switch (size) {
    case 12:
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
      return true;
    default:
      return false;
  }
}

}  // namespace

DecodeResult<BmpInfoHeader> ReadBmpInfoHeader(std::span<const uint8_t> file, size_t offset) {
  if (file.size() < offset + 4) return DecodeError{"truncated BMP info header"};
  BmpInfoHeader h;
  h.header_size = ReadU32Le(file, offset);
  if (!IsKnownHeaderSize(h.header_size)) {
    return DecodeError{"unsupported BMP info header size " + std::to_string(h.header_size)};
  }
  if (file.size() - offset < h.header_size) return DecodeError{"truncated BMP info header"};
  auto header = file.subspan(offset, h.header_size);
  if (h.IsCore()) {
    h.width = ReadU16Le(header, 4);
    h.height = ReadU16Le(header, 6);
    h.planes = ReadU16Le(header, 8);
    h.bits_per_pixel = ReadU16Le(header, 10);
    return h;
  }
  h.width = ReadI32Le(header, 4);
  h.height = ReadI32Le(header, 8);
  h.planes = ReadU16Le(header, 12);
  h.bits_per_pixel = ReadU16Le(header, 14);
  if (h.header_size < 40) return h;  // the short OS/2 2.x form stops here
  h.compression = ReadU32Le(header, 16);
  h.image_size = ReadU32Le(header, 20);
  h.colours_used = ReadU32Le(header, 32);
  if (h.HasMasksInside() && !h.IsOs2V2()) {
    for (size_t i = 0; i < 3; ++i) h.masks[i] = ReadU32Le(header, 40 + 4 * i);
    if (h.header_size >= 56) h.masks[3] = ReadU32Le(header, 52);
  }
  return h;
}

}  // namespace velmorant::platform
