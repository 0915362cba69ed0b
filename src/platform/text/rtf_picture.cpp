#include "platform/text/rtf_picture.hpp"

#include <algorithm>
#include <optional>

#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/dib_file.hpp"
#include "platform/gfx/jpeg_decoder.hpp"
#include "platform/gfx/little_endian.hpp"
#include "platform/gfx/png_writer.hpp"
#include "platform/text/metafile.hpp"

namespace velmorant::platform {

namespace {

constexpr int32_t kTwipsPerPixel = 15;  // 1440 twips an inch at 96 pixels an inch

// The PNG header's size, checked before anything is decoded.
bool PngFitsPicture(std::span<const uint8_t> png) {
  if (png.size() < 24) return false;
  auto be32 = [&](size_t at) {
    return uint32_t(png[at]) << 24 | uint32_t(png[at + 1]) << 16 | uint32_t(png[at + 2]) << 8 |
           uint32_t(png[at + 3]);
  };
  return uint64_t{be32(16)} * be32(20) <= uint64_t(kMaxRtfPicturePixels);
}

int32_t ShownSide(int32_t goal_twips, int32_t own_px, int32_t scale) {
  int64_t side = goal_twips > 0 ? goal_twips / kTwipsPerPixel : own_px;
  if (scale > 0) side = side * scale / 100;
  return int32_t(std::clamp<int64_t>(side, 1, kMaxRtfPictureSide));
}

Bitmap ScaleNearest(const Bitmap& source, int32_t width, int32_t height) {
  if (source.Width() == width && source.Height() == height) return source;
  return Bitmap::FromRows(width, height, [&](int32_t y, std::span<Pixel> row) {
    const auto sy = int32_t(int64_t{y} * source.Height() / height);
    const auto from = source.Row(sy);
    for (int32_t x = 0; x < width; ++x)
      row[size_t(x)] = from[size_t(int64_t{x} * source.Width() / width)];
  });
}

}  // namespace

std::shared_ptr<const Bitmap> DecodeRtfPicture(const RtfPictureData& data) {
  std::optional<Bitmap> decoded;
  switch (data.format) {
    case RtfPictureData::Format::kPng:
      if (!PngFitsPicture(data.bytes)) break;
      if (auto png = DecodePng(data.bytes)) decoded = std::move(*png);
      break;
    case RtfPictureData::Format::kJpeg:
      if (auto jpeg = DecodeJpeg(data.bytes, kMaxRtfPicturePixels)) decoded = std::move(*jpeg);
      break;
    case RtfPictureData::Format::kDib:
      if (auto file = AsBmpFile(data.bytes)) {
        auto bmp = DecodeBmp(*file);
        if (bmp && int64_t{bmp->Width()} * bmp->Height() <= kMaxRtfPicturePixels) {
          decoded = std::move(*bmp);
        }
      }
      break;
    case RtfPictureData::Format::kUnknown:
    case RtfPictureData::Format::kWindowsMetafile:
      break;
  }
  if (!decoded || decoded->IsEmpty()) return nullptr;
  const int32_t width = ShownSide(data.goal_width, decoded->Width(), data.scale_x);
  const int32_t height = ShownSide(data.goal_height, decoded->Height(), data.scale_y);
  if (int64_t{width} * height > kMaxRtfPicturePixels) return nullptr;
  return std::make_shared<const Bitmap>(ScaleNearest(*decoded, width, height));
}

std::shared_ptr<const Bitmap> DecodeRtfMetafile(const RtfPictureData& data, const FontEngine* fonts,
                                                int32_t code_page) {
  if (data.format != RtfPictureData::Format::kWindowsMetafile) return nullptr;
  // \picw and \pich of a metafile are in hundredths of a millimetre.
  const auto own_px = [](int32_t himetric) {
    return int32_t(std::clamp<int64_t>(int64_t{himetric} * 96 / 2540, 0, kMaxRtfPictureSide));
  };
  MetafileOptions options;
  options.size = {ShownSide(data.goal_width, own_px(data.width_px), data.scale_x),
                  ShownSide(data.goal_height, own_px(data.height_px), data.scale_y)};
  options.default_extent = {std::max(1, data.width_px), std::max(1, data.height_px)};
  options.fonts = fonts;
  options.code_page = code_page;
  // What the picture and the bitmaps inside it take together, counted before each is allocated.
  int64_t charged = 0;
  options.charge = [&charged](int64_t width, int64_t height) {
    if (width <= 0 || height <= 0 || width * height > kMaxRtfPicturePixels) return false;
    if (charged + width * height > 2 * kMaxRtfPicturePixels) return false;
    charged += width * height;
    return true;
  };
  std::optional<Bitmap> picture = PlayWindowsMetafile(data.bytes, options);
  if (!picture) return nullptr;
  return std::make_shared<const Bitmap>(std::move(*picture));
}

}  // namespace velmorant::platform
