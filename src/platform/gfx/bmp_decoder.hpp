#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/decode_result.hpp"

namespace velmorant::platform {

// Decodes a BMP file held in memory the way the Windows bitmap loader reads it: OS/2 1.x and 2.x
// headers, Windows 3.x to v5 headers; 1, 2, 4, 8, 16, 24 and 32 bits; uncompressed, RLE8, RLE4,
// BITFIELDS and ALPHABITFIELDS. Alpha is dropped. Anything else gives an error; decoding never
// reads outside `file` and never allocates more than kMaxBitmapPixels. Damaged files: the loader
// reads the pixel data size the header states, so uncompressed data shorter than its rows, or
// shorter than that size, is refused; an RLE stream that stops early keeps what it drew (the rest
// stays black). Fields Windows ignores (the file size, density, reserved words, masks without
// BITFIELDS) are ignored; indices beyond the palette are black.
DecodeResult<Bitmap> DecodeBmp(std::span<const uint8_t> file);

// The size of the picture DecodeBmp would make of `file`, from its headers alone: nothing is
// allocated for pixels. Every file this refuses, DecodeBmp refuses too, and a picture DecodeBmp
// makes has this size; so the pixel memory a picture takes is known before it is decoded.
DecodeResult<Size> ReadBmpSize(std::span<const uint8_t> file);

// The largest BMP file read: a kMaxBitmapPixels 32-bit picture plus room for headers and profiles.
inline constexpr uint64_t kMaxBmpFileBytes = uint64_t(kMaxBitmapPixels) * 4 + (uint64_t{1} << 20);

// Reads and decodes a BMP file; errors do not name the file (the caller's warning does).
DecodeResult<Bitmap> LoadBmpFile(const std::filesystem::path& path);

}  // namespace velmorant::platform
