#include "platform/gfx/bitmap.hpp"

#include <algorithm>
#include <stdexcept>

namespace velmorant::platform {

Bitmap::Bitmap(int32_t width, int32_t height, Pixel fill) {
  Resize(width, height, fill);
}

Bitmap::Bitmap(const Bitmap& other) {
  CopyPixelsFrom(other);
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this != &other) CopyPixelsFrom(other);
  return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      pitch_(other.pitch_),
      borrowed_(other.borrowed_),
      data_(other.data_),
      pixels_(std::move(other.pixels_)) {
  // A moved vector keeps its buffer, so data_ stays valid for an owned picture.
  other.width_ = other.height_ = other.pitch_ = 0;
  other.borrowed_ = false;
  other.data_ = nullptr;
  other.pixels_.clear();
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this == &other) return *this;
  width_ = other.width_;
  height_ = other.height_;
  pitch_ = other.pitch_;
  borrowed_ = other.borrowed_;
  data_ = other.data_;
  pixels_ = std::move(other.pixels_);
  other.width_ = other.height_ = other.pitch_ = 0;
  other.borrowed_ = false;
  other.data_ = nullptr;
  other.pixels_.clear();
  return *this;
}

Bitmap Bitmap::Borrow(Pixel* memory, int32_t width, int32_t height, int32_t pitch) {
  CheckSize(width, height);
  if (pitch < width) throw std::invalid_argument("bitmap pitch below its width");
  if (height > 0 && memory == nullptr && width > 0) {
    throw std::invalid_argument("bitmap memory missing");
  }
  Bitmap out;
  out.width_ = width;
  out.height_ = height;
  out.pitch_ = pitch;
  out.borrowed_ = true;
  out.data_ = memory;
  return out;
}

void Bitmap::CopyPixelsFrom(const Bitmap& other) {
  std::vector<Pixel> pixels(size_t(other.width_) * size_t(other.height_));
  for (int32_t y = 0; y < other.height_; ++y) {
    const auto row = other.Row(y);
    std::copy(row.begin(), row.end(), pixels.begin() + std::ptrdiff_t(size_t(y) * other.width_));
  }
  pixels_ = std::move(pixels);
  width_ = other.width_;
  height_ = other.height_;
  pitch_ = other.width_;
  borrowed_ = false;
  data_ = pixels_.data();
}

void Bitmap::CheckSize(int32_t width, int32_t height) {
  if (width < 0 || height < 0 || !FitsBitmap(width, height)) {
    throw std::length_error("bitmap size out of range");
  }
}

void Bitmap::Resize(int32_t width, int32_t height, Pixel fill) {
  CheckSize(width, height);
  pixels_.assign(size_t(width) * size_t(height), fill & 0xFFFFFFu);
  width_ = width;
  height_ = height;
  pitch_ = width;
  borrowed_ = false;
  data_ = pixels_.data();
}

void Bitmap::Fill(Pixel p) {
  for (int32_t y = 0; y < height_; ++y) {
    const auto row = Row(y);
    std::fill(row.begin(), row.end(), p & 0xFFFFFFu);
  }
}

Pixel Bitmap::Get(int32_t x, int32_t y, Pixel outside) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return outside;
  return At(x, y);
}

bool operator==(const Bitmap& a, const Bitmap& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  for (int32_t y = 0; y < a.height_; ++y) {
    const auto ra = a.Row(y);
    const auto rb = b.Row(y);
    if (!std::equal(ra.begin(), ra.end(), rb.begin())) return false;
  }
  return true;
}

}  // namespace velmorant::platform
