#include "platform/gfx/bitmap.hpp"

#include <algorithm>
#include <stdexcept>

namespace velmorant::platform {

Bitmap::Bitmap(int32_t width, int32_t height, Pixel fill) {
  Resize(width, height, fill);
}

void Bitmap::CheckSize(int32_t width, int32_t height) {
  if (width < 0 || height < 0 || !FitsBitmap(width, height)) {
    throw std::length_error("bitmap size out of range");
  }
}

void Bitmap::Resize(int32_t width, int32_t height, Pixel fill) {
  CheckSize(width, height);
  width_ = width;
  height_ = height;
  pixels_.assign(size_t(width) * size_t(height), fill & 0xFFFFFFu);
}

void Bitmap::Fill(Pixel p) {
  std::fill(pixels_.begin(), pixels_.end(), p & 0xFFFFFFu);
}

Pixel Bitmap::Get(int32_t x, int32_t y, Pixel outside) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return outside;
  return At(x, y);
}

}  // namespace velmorant::platform
