#include "platform/gfx/bmp_decoder.hpp"

#include <string>

#include "platform/gfx/bmp_layout.hpp"
#include "platform/gfx/bmp_pixel_rows.hpp"
#include "platform/gfx/bmp_rle.hpp"
#include "platform/gfx/file_bytes.hpp"

namespace velmorant::platform {

DecodeResult<Bitmap> DecodeBmp(std::span<const uint8_t> file) {
  auto layout = ParseBmpLayout(file);
  if (!layout) return DecodeError{layout.error()};
  switch (layout->compression) {
    case BmpCompression::kRle8:
    case BmpCompression::kRle4:
      return DecodeBmpRle(*layout);
    case BmpCompression::kRgb:
    case BmpCompression::kBitfields:
      break;
  }
  return DecodeBmpRows(*layout);
}

DecodeResult<Size> ReadBmpSize(std::span<const uint8_t> file) {
  auto layout = ParseBmpLayout(file);
  if (!layout) return DecodeError{layout.error()};
  return Size{layout->width, layout->height};
}

DecodeResult<Bitmap> LoadBmpFile(const std::filesystem::path& path) {
  auto bytes = ReadFileBytes(path, kMaxBmpFileBytes);
  if (!bytes) return DecodeError{bytes.error()};
  return DecodeBmp(*bytes);
}

}  // namespace velmorant::platform
