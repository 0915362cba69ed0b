#include "platform/text/rtf_picture.hpp"

#include <algorithm>
#include <optional>

#include "platform/gfx/bmp_decoder.hpp"
#include "platform/gfx/jpeg_decoder.hpp"
#include "platform/gfx/little_endian.hpp"
#include "platform/gfx/png_writer.hpp"

namespace velmorant::platform {

namespace {

constexpr int32_t kTwipsPerPixel = 15;  // 1440 twips an inch at 96 pixels an inch
constexpr size_t kFileHeaderBytes = 14;

void PutU32Le(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(value >> (8 * i));
}

// A DIB is a BMP file without its 14-byte file header: put one in front, pointing past the
// header and colour table.
std::optional<std::vector<uint8_t>> AsBmpFile(const std::vector<uint8_t>& dib) {
  if (dib.size() < 12) return std::nullopt;
  const uint32_t header = ReadU32Le(dib, 0);
  if (header < 12 || header > dib.size()) return std::nullopt;
  uint64_t colours = 0;
  uint64_t entry = 4;
  if (header == 12) {
    const uint16_t bits = ReadU16Le(dib, 10);
    colours = bits <= 8 ? uint64_t{1} << bits : 0;
    entry = 3;
  } else if (dib.size() >= 36) {
    const uint16_t bits = ReadU16Le(dib, 14);
    const uint32_t compression = ReadU32Le(dib, 16);
    const uint32_t used = ReadU32Le(dib, 32);
    colours = used != 0 ? used : (bits <= 8 ? uint64_t{1} << bits : 0);
    // BITFIELDS masks follow a 40-byte header.
    if (header == 40 && (compression == 3 || compression == 6)) colours += compression == 3 ? 3 : 4;
  }
  const uint64_t offset = kFileHeaderBytes + header + colours * entry;
  if (offset > kFileHeaderBytes + dib.size()) return std::nullopt;
  std::vector<uint8_t> file(kFileHeaderBytes);
  file[0] = 'B';
  file[1] = 'M';
  PutU32Le(file, 2, uint32_t(kFileHeaderBytes + dib.size()));
  PutU32Le(file, 10, uint32_t(offset));
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

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
      break;
  }
  if (!decoded || decoded->IsEmpty()) return nullptr;
  const int32_t width = ShownSide(data.goal_width, decoded->Width(), data.scale_x);
  const int32_t height = ShownSide(data.goal_height, decoded->Height(), data.scale_y);
  if (int64_t{width} * height > kMaxRtfPicturePixels) return nullptr;
  return std::make_shared<const Bitmap>(ScaleNearest(*decoded, width, height));
}

}  // namespace velmorant::platform
