#include "platform/gfx/bmp_layout.hpp"

#include <algorithm>
#include <bit>
#include <string>

#include "platform/gfx/bmp_info_header.hpp"
#include "platform/gfx/bmp_palette.hpp"
#include "platform/gfx/little_endian.hpp"

namespace velmorant::platform {

namespace {

DecodeError Refuse(std::string why) {
  return DecodeError{std::move(why)};
}

bool IsSupportedBitCount(uint16_t bits) {
  // 2 bits is a Windows CE depth; decoding it costs nothing and is unambiguous.
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Maps the raw compression code to what this decoder handles, or says why not.
DecodeResult<BmpCompression> CheckCompression(const BmpInfoHeader& h) {
  const uint32_t c = h.compression;
  const uint16_t bits = h.bits_per_pixel;
  if (h.IsOs2V2() && c == kBiBitfields) return Refuse("OS/2 Huffman-compressed BMP not supported");
  if (h.IsOs2V2() && c == kBiJpeg) return Refuse("OS/2 RLE24-compressed BMP not supported");
  if (c == kBiJpeg) return Refuse("BMP with an embedded JPEG image not supported");
  if (c == kBiPng) return Refuse("BMP with an embedded PNG image not supported");
  if (!IsSupportedBitCount(bits)) {
    return Refuse("unsupported BMP bit count " + std::to_string(bits));
  }
  switch (c) {
    case kBiRgb:
      return BmpCompression::kRgb;
    case kBiRle8:
      if (bits != 8) return Refuse("RLE8 needs 8 bits per pixel");
      return BmpCompression::kRle8;
    case kBiRle4:
      if (bits != 4) return Refuse("RLE4 needs 4 bits per pixel");
      return BmpCompression::kRle4;
    case kBiBitfields:
    case kBiAlphaBitfields:
      if (bits != 16 && bits != 32) return Refuse("BITFIELDS needs 16 or 32 bits per pixel");
      return BmpCompression::kBitfields;
    default:
      return Refuse("unsupported BMP compression " + std::to_string(c));
  }
}

bool IsUsableMask(uint32_t mask, int bits_per_pixel) {
  if (mask == 0) return false;
  if (bits_per_pixel == 16 && mask > 0xFFFFu) return false;
  const uint32_t shifted = mask >> std::countr_zero(mask);
  return std::has_single_bit(uint64_t{shifted} + 1);  // one contiguous run of ones
}

BmpChannelMasks DefaultMasks(int bits_per_pixel) {
  if (bits_per_pixel == 16) return {0x7C00, 0x03E0, 0x001F};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

// Masks stored after a 40-byte header: 12 bytes, or 16 with an alpha mask.
uint32_t MaskBytesAfterHeader(const BmpInfoHeader& h) {
  if (h.HasMasksInside() || h.IsOs2V2()) return 0;
  if (h.compression == kBiBitfields) return 12;
  if (h.compression == kBiAlphaBitfields) return 16;
  return 0;
}

struct ColourTable {
  uint64_t start = 0;
  uint64_t entries = 0;  // entries the file really holds, before the pixels
  uint64_t pixel_start = 0;
};

// The colour table and the pixel data position. The declared table and the pixel offset must lie
// inside the file. The offset is trusted unless it points into the header or the declared table
// (writers that leave it 0 or wrong); a table whose size is only implied by the bit count yields to
// it, as short palettes in the wild need.
DecodeResult<ColourTable> LocateColourTable(const BmpInfoHeader& h, uint64_t table_start,
                                            uint32_t pixel_offset, uint64_t file_size) {
  const uint64_t entry_size = h.IsCore() ? 3 : 4;
  const bool explicit_count = h.colours_used != 0;
  uint64_t declared = h.colours_used;
  if (!explicit_count && h.bits_per_pixel <= 8) declared = uint64_t{1} << h.bits_per_pixel;
  const uint64_t declared_end = table_start + declared * entry_size;
  if (table_start > file_size || (explicit_count && declared_end > file_size)) {
    return Refuse("BMP colour table runs past the end of the file");
  }
  if (pixel_offset > file_size) return Refuse("BMP pixel data lies past the end of the file");
  ColourTable t;
  t.start = table_start;
  const bool offset_usable =
      pixel_offset >= table_start && (pixel_offset >= declared_end || !explicit_count);
  if (offset_usable) {
    t.pixel_start = pixel_offset;
    t.entries = std::min(declared, (pixel_offset - table_start) / entry_size);
  } else {
    t.pixel_start = declared_end;
    t.entries = std::min(declared, (file_size - table_start) / entry_size);
  }
  return t;
}

}  // namespace

DecodeResult<BmpLayout> ParseBmpLayout(std::span<const uint8_t> file) {
  if (file.size() < kBmpFileHeaderSize) return Refuse("file too short for a BMP");
  if (file[0] == 'B' && file[1] == 'A') return Refuse("OS/2 bitmap arrays not supported");
  if (file[0] != 'B' || file[1] != 'M') return Refuse("not a BMP file (no BM signature)");
  const uint32_t pixel_offset = ReadU32Le(file, 10);

  auto info = ReadBmpInfoHeader(file, kBmpFileHeaderSize);
  if (!info) return DecodeError{info.error()};
  const BmpInfoHeader& h = *info;
  if (h.planes != 1) return Refuse("BMP plane count must be 1");
  auto compression = CheckCompression(h);
  if (!compression) return DecodeError{compression.error()};

  BmpLayout layout;
  layout.compression = *compression;
  layout.bits_per_pixel = h.bits_per_pixel;
  if (h.width < 0) return Refuse("negative BMP width");
  if (h.height == INT32_MIN) return Refuse("invalid BMP height");
  layout.top_down = h.height < 0;
  const int64_t rows = h.height < 0 ? -h.height : h.height;
  if (layout.top_down && (layout.compression == BmpCompression::kRle8 ||
                          layout.compression == BmpCompression::kRle4)) {
    return Refuse("RLE-compressed BMP cannot be top-down");
  }
  // Windows creates no bitmap without pixels; refusing also keeps 0 x 2^31 from looping.
  if (h.width == 0 || rows == 0) return Refuse("empty BMP (zero width or height)");
  if (h.width * rows > kMaxBitmapPixels) return Refuse("BMP too large");
  layout.width = int32_t(h.width);
  layout.height = int32_t(rows);

  const uint64_t header_end = kBmpFileHeaderSize + h.header_size;
  const uint32_t mask_bytes = MaskBytesAfterHeader(h);
  if (header_end + mask_bytes > file.size()) return Refuse("truncated BMP colour masks");
  uint32_t masks[3] = {h.masks[0], h.masks[1], h.masks[2]};
  if (mask_bytes > 0) {
    for (size_t i = 0; i < 3; ++i) masks[i] = ReadU32Le(file, header_end + 4 * i);
  }
  if (layout.compression == BmpCompression::kBitfields) {
    for (uint32_t m : masks) {
      if (!IsUsableMask(m, layout.bits_per_pixel)) return Refuse("unusable BMP colour mask");
    }
    layout.masks = {masks[0], masks[1], masks[2]};
  } else {
    layout.masks = DefaultMasks(layout.bits_per_pixel);
  }

  auto table = LocateColourTable(h, header_end + mask_bytes, pixel_offset, file.size());
  if (!table) return DecodeError{table.error()};
  if (layout.bits_per_pixel <= 8) {
    const size_t entry_size = h.IsCore() ? 3 : 4;
    const size_t entries = size_t(std::min<uint64_t>(table->entries, 256));
    layout.palette = ReadBmpPalette(file.subspan(table->start, entries * entry_size), entry_size);
  }

  if (table->pixel_start > file.size()) return Refuse("BMP pixel data lies past the end of file");
  const uint64_t available = file.size() - table->pixel_start;
  if (h.image_size > available) return Refuse("BMP pixel data size exceeds the file");
  uint64_t length = h.image_size != 0 ? h.image_size : available;
  if (layout.compression == BmpCompression::kRgb ||
      layout.compression == BmpCompression::kBitfields) {
    length = BmpRowStride(layout.width, layout.bits_per_pixel) * uint64_t(layout.height);
    if (length > available) return Refuse("truncated BMP pixel data");
  }
  layout.pixels = file.subspan(size_t(table->pixel_start), size_t(length));
  return layout;
}

}  // namespace velmorant::platform
