#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/decode_result.hpp"

namespace velmorant::platform {

// An 8-bit RGB PNG of the bitmap. Equal bitmaps give equal bytes (no time or text chunks).
// Empty bitmaps have no PNG form: the result is then empty.
std::vector<uint8_t> EncodePng(const Bitmap& bitmap);

// Writes EncodePng's bytes to `path`; false when the bitmap is empty or the file cannot be written.
bool WritePng(const Bitmap& bitmap, const std::filesystem::path& path);

// Reads a PNG of any colour type into a bitmap; alpha is dropped. For golden comparisons.
DecodeResult<Bitmap> DecodePng(std::span<const uint8_t> bytes);
DecodeResult<Bitmap> ReadPng(const std::filesystem::path& path);

}  // namespace velmorant::platform
