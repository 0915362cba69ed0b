#include "platform/text/rtf_picture.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/dib_file.hpp"
#include "platform/gfx/jpeg_decoder.hpp"
#include "platform/gfx/little_endian.hpp"
#include "platform/gfx/png_writer.hpp"
#include "platform/text/metafile.hpp"

namespace velmorant::platform {

namespace {

constexpr int32_t kTwipsPerPixel = 15;  // 1440 twips an inch at 96 pixels an inch

uint32_t Be32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 |
         uint32_t(b[at + 3]);
}

// The PNG header's size, read before anything is decoded.
std::optional<Size> ReadPngSize(std::span<const uint8_t> png) {
  if (png.size() < 24) return std::nullopt;
  const uint32_t width = Be32(png, 16);
  const uint32_t height = Be32(png, 20);
  if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
  return Size{int32_t(width), int32_t(height)};
}

int32_t ShownSide(int32_t goal_twips, int32_t own_px, int32_t scale) {
  int64_t side = goal_twips > 0 ? goal_twips / kTwipsPerPixel : own_px;
  if (scale > 0) side = side * scale / 100;
  return int32_t(std::clamp<int64_t>(side, 1, kMaxRtfPictureSide));
}

Bitmap ScaleNearest(const Bitmap& source, int32_t width, int32_t height) {
  std::vector<int32_t> columns(static_cast<size_t>(width));
  for (int32_t x = 0; x < width; ++x) {
    columns[size_t(x)] = int32_t(int64_t{x} * source.Width() / width);
  }
  return Bitmap::FromRows(width, height, [&](int32_t y, std::span<Pixel> row) {
    const auto from = source.Row(int32_t(int64_t{y} * source.Height() / height));
    for (int32_t x = 0; x < width; ++x) row[size_t(x)] = from[size_t(columns[size_t(x)])];
  });
}

bool WithinPixels(int64_t width, int64_t height, int64_t most) {
  return width > 0 && height > 0 && width <= most / height;
}

// Charged to the budget, or a plain size check without one.
std::optional<MemoryBudget::Charge> Charge(MemoryBudget* memory, int64_t width, int64_t height) {
  if (memory) return memory->ReservePicture(width, height);
  if (!FitsBitmap(width, height)) return std::nullopt;
  return MemoryBudget::Charge();
}

// The size the picture's own header claims, read without decoding it.
std::optional<Size> ClaimedSize(const RtfPictureData& data,
                                std::optional<std::vector<uint8_t>>& bmp) {
  switch (data.format) {
    case RtfPictureData::Format::kPng:
      return ReadPngSize(data.bytes);
    case RtfPictureData::Format::kJpeg:
      return ReadJpegSize(data.bytes);
    case RtfPictureData::Format::kDib:
      bmp = AsBmpFile(data.bytes);
      if (!bmp) return std::nullopt;
      if (auto size = ReadBmpSize(*bmp)) return *size;
      return std::nullopt;
    case RtfPictureData::Format::kUnknown:
    case RtfPictureData::Format::kWindowsMetafile:
      break;
  }
  return std::nullopt;
}

std::optional<Bitmap> Decode(const RtfPictureData& data, const std::vector<uint8_t>* bmp) {
  switch (data.format) {
    case RtfPictureData::Format::kPng:
      if (auto png = DecodePng(data.bytes)) return std::move(*png);
      break;
    case RtfPictureData::Format::kJpeg:
      if (auto jpeg = DecodeJpeg(data.bytes, kMaxRtfPicturePixels)) return std::move(*jpeg);
      break;
    case RtfPictureData::Format::kDib:
      if (bmp) {
        if (auto decoded = DecodeBmp(*bmp)) return std::move(*decoded);
      }
      break;
    case RtfPictureData::Format::kUnknown:
    case RtfPictureData::Format::kWindowsMetafile:
      break;
  }
  return std::nullopt;
}

std::shared_ptr<const Bitmap> Held(Bitmap picture, MemoryBudget::Charge charge) {
  return ChargedPicture(std::move(picture), std::move(charge));
}

}  // namespace

std::optional<Size> ReadJpegSize(std::span<const uint8_t> jpeg) {
  if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return std::nullopt;
  size_t at = 2;
  while (at + 4 <= jpeg.size()) {
    if (jpeg[at] != 0xFF) return std::nullopt;
    const uint8_t marker = jpeg[at + 1];
    // Fill bytes before a marker.
    if (marker == 0xFF) {
      ++at;
      continue;
    }
    // Markers without a length.
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;
    const size_t length = size_t(jpeg[at + 2]) << 8 | jpeg[at + 3];
    if (length < 2) return std::nullopt;
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 7 || at + 9 > jpeg.size()) return std::nullopt;
      const int32_t height = int32_t(jpeg[at + 5]) << 8 | jpeg[at + 6];
      const int32_t width = int32_t(jpeg[at + 7]) << 8 | jpeg[at + 8];
      if (width == 0 || height == 0) return std::nullopt;
      return Size{width, height};
    }
    at += 2 + length;
  }
  return std::nullopt;
}

std::shared_ptr<const Bitmap> DecodeRtfPicture(const RtfPictureData& data,
                                               const RtfPictureLimits& limits) {
  std::optional<std::vector<uint8_t>> bmp;
  const std::optional<Size> own = ClaimedSize(data, bmp);
  if (!own || !WithinPixels(own->width, own->height, kMaxRtfPicturePixels)) return nullptr;
  const int32_t width = ShownSide(data.goal_width, own->width, data.scale_x);
  const int32_t height = ShownSide(data.goal_height, own->height, data.scale_y);
  if (!WithinPixels(width, height, std::min(kMaxRtfPicturePixels, limits.pixels_left))) {
    return nullptr;
  }
  // The decoded picture and the shown one are both held while it is scaled.
  auto decoding = Charge(limits.memory, own->width, own->height);
  if (!decoding) return nullptr;
  const bool same = width == own->width && height == own->height;
  std::optional<MemoryBudget::Charge> shown;
  if (!same) {
    shown = Charge(limits.memory, width, height);
    if (!shown) return nullptr;
  }
  std::optional<Bitmap> decoded = Decode(data, bmp ? &*bmp : nullptr);
  if (!decoded || decoded->Width() != own->width || decoded->Height() != own->height) {
    return nullptr;
  }
  if (same) return Held(std::move(*decoded), std::move(*decoding));
  Bitmap scaled = ScaleNearest(*decoded, width, height);
  return Held(std::move(scaled), std::move(*shown));
}

std::shared_ptr<const Bitmap> DecodeRtfMetafile(const RtfPictureData& data, const FontEngine* fonts,
                                                int32_t code_page, const RtfPictureLimits& limits) {
  if (data.format != RtfPictureData::Format::kWindowsMetafile) return nullptr;
  // \picw and \pich of a metafile are in hundredths of a millimetre.
  const auto own_px = [](int32_t himetric) {
    return int32_t(std::clamp<int64_t>(int64_t{himetric} * 96 / 2540, 0, kMaxRtfPictureSide));
  };
  MetafileOptions options;
  options.size = {ShownSide(data.goal_width, own_px(data.width_px), data.scale_x),
                  ShownSide(data.goal_height, own_px(data.height_px), data.scale_y)};
  if (!WithinPixels(options.size.width, options.size.height,
                    std::min(kMaxRtfPicturePixels, limits.pixels_left))) {
    return nullptr;
  }
  options.default_extent = {std::max(1, data.width_px), std::max(1, data.height_px)};
  options.fonts = fonts;
  options.code_page = code_page;
  // What the picture and the bitmaps inside it take together, counted before each is allocated.
  // The first charge is the picture's own, which it keeps.
  int64_t charged = 0;
  std::vector<MemoryBudget::Charge> charges;
  options.charge = [&](int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width * height > kMaxRtfPicturePixels) return false;
    if (charged + width * height > 2 * kMaxRtfPicturePixels) return false;
    auto charge = Charge(limits.memory, width, height);
    if (!charge) return false;
    charges.push_back(std::move(*charge));
    charged += width * height;
    return true;
  };
  std::optional<Bitmap> picture = PlayWindowsMetafile(data.bytes, options);
  if (!picture || charges.empty()) return nullptr;
  return Held(std::move(*picture), std::move(charges.front()));
}

}  // namespace velmorant::platform
