#include "platform/gfx/png_writer.hpp"

#include <png.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/fs/output_file.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/gfx/file_bytes.hpp"

namespace velmorant::platform {

namespace {

// Frees libpng's state on every path out.
struct PngImage {
  PngImage() {
    image.version = PNG_IMAGE_VERSION;
    image.opaque = nullptr;
  }
  ~PngImage() { png_image_free(&image); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image image{};
};

std::vector<uint8_t> ToRgbBytes(const Bitmap& bitmap) {
  std::vector<uint8_t> rgb;
  rgb.reserve(size_t(bitmap.Width()) * size_t(bitmap.Height()) * 3);
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    for (Pixel p : bitmap.Row(y)) {
      rgb.push_back(uint8_t(p >> 16));
      rgb.push_back(uint8_t(p >> 8));
      rgb.push_back(uint8_t(p));
    }
  }
  return rgb;
}

// A PNG's size in bytes can never exceed this for a picture of kMaxBitmapPixels.
constexpr uint64_t kMaxPngFileBytes = uint64_t(kMaxBitmapPixels) * 8;

}  // namespace

std::vector<uint8_t> EncodePng(const Bitmap& bitmap) {
  if (bitmap.IsEmpty()) return {};
  const std::vector<uint8_t> rgb = ToRgbBytes(bitmap);
  PngImage png;
  png.image.width = png_uint_32(bitmap.Width());
  png.image.height = png_uint_32(bitmap.Height());
  png.image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png.image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
  std::vector<uint8_t> bytes(size);
  if (!png_image_write_to_memory(&png.image, bytes.data(), &size, 0, rgb.data(), 0, nullptr)) {
    return {};
  }
  bytes.resize(size);
  return bytes;
}

bool WritePng(const Bitmap& bitmap, const std::filesystem::path& path) {
  const std::vector<uint8_t> bytes = EncodePng(bitmap);
  if (bytes.empty()) return false;
  std::optional<OutputFile> out = OutputFile::Create(path);
  if (!out) return false;
  const bool written = out->Write({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  return out->Close() && written;
}

DecodeResult<Bitmap> DecodePng(std::span<const uint8_t> bytes) {
  PngImage png;
  if (!png_image_begin_read_from_memory(&png.image, bytes.data(), bytes.size())) {
    return DecodeError{std::string("not a readable PNG: ") + png.image.message};
  }
  const int64_t width = png.image.width;
  const int64_t height = png.image.height;
  if (width * height > kMaxBitmapPixels) return DecodeError{"PNG too large"};
  png.image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(size_t(width * height * 3));
  if (!png_image_finish_read(&png.image, nullptr, rgb.data(), 0, nullptr)) {
    return DecodeError{std::string("damaged PNG: ") + png.image.message};
  }
  Bitmap bitmap(static_cast<int32_t>(width), static_cast<int32_t>(height));
  size_t i = 0;
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    for (Pixel& p : bitmap.Row(y)) {
      p = Rgb(rgb[i], rgb[i + 1], rgb[i + 2]);
      i += 3;
    }
  }
  return bitmap;
}

DecodeResult<Bitmap> ReadPng(const std::filesystem::path& path) {
  auto bytes = ReadFileBytes(path, kMaxPngFileBytes);
  if (!bytes) return DecodeError{bytes.error()};
  return DecodePng(*bytes);
}

}  // namespace velmorant::platform
