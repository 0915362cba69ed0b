#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/memory_budget.hpp"
#include "platform/text/font_engine.hpp"

namespace velmorant::platform {

// What a \pict group says about its picture. Sizes are in twips unless named otherwise.
struct RtfPictureData {
  enum class Format : uint8_t { kUnknown, kPng, kJpeg, kDib, kWindowsMetafile };
  Format format = Format::kUnknown;
  int32_t width_px =
      0;  // \picw: the picture's own size (pixels for bitmaps, 0.01 mm for metafiles)
  int32_t height_px = 0;
  int32_t goal_width = 0;  // \picwgoal
  int32_t goal_height = 0;
  int32_t scale_x = 100;  // \picscalex, percent
  int32_t scale_y = 100;
  std::vector<uint8_t> bytes;
};

// The largest picture a document shows, and the pixels all of its pictures may take together.
inline constexpr int64_t kMaxRtfPicturePixels = int64_t{1} << 24;
inline constexpr int32_t kMaxRtfPictureSide = 8192;

// What one more picture of a document may take: the pixels its pictures have left together, and
// the budget (if any) that every picture made is charged to before it is allocated.
struct RtfPictureLimits {
  MemoryBudget* memory = nullptr;
  int64_t pixels_left = kMaxRtfPicturePixels;
};

// The picture decoded and brought to the size the document shows it at (96 pixels an inch);
// nothing for formats without a decoder here (metafiles), for data that does not decode and for
// a picture past the limits. The sizes its header claims and the shown size are checked before
// anything is decoded; the picture holds its charge.
std::shared_ptr<const Bitmap> DecodeRtfPicture(const RtfPictureData& data,
                                               const RtfPictureLimits& limits = {});

// A metafile played at the size the document shows it at, its text in `fonts` (none: no text)
// and, where its fonts name none, in `code_page`; nothing for data that does not play. Every
// picture it makes is charged against the picture limits before it is allocated.
std::shared_ptr<const Bitmap> DecodeRtfMetafile(const RtfPictureData& data, const FontEngine* fonts,
                                                int32_t code_page,
                                                const RtfPictureLimits& limits = {});

// The size a JPEG file's frame header gives, from its markers alone; nothing when there is none.
std::optional<Size> ReadJpegSize(std::span<const uint8_t> jpeg);

}  // namespace velmorant::platform
