#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gfx/geometry.hpp"

namespace velmorant::platform {

// A pixel is 0x00RRGGBB in memory order B, G, R, X (the layout of a 32-bit Windows DIB). The top
// byte is always 0: every operation keeps it so, which makes pixels comparable as integers.
using Pixel = uint32_t;

// A 32-bit picture of any size, 0 x 0 included. Plain value: copying copies the pixels into a
// picture of its own. A picture may also borrow memory it does not own (a window's pixel buffer),
// whose rows lie `pitch` pixels apart; it must not outlive that memory.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int32_t width, int32_t height, Pixel fill = 0);
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;
  ~Bitmap() = default;

  // A view on `width` x `height` pixels at `memory`, rows `pitch` pixels apart (pitch >= width).
  // Throws std::invalid_argument for a pitch below the width and std::length_error for a size
  // the player refuses.
  static Bitmap Borrow(Pixel* memory, int32_t width, int32_t height, int32_t pitch);

  // A picture built row by row from the top without clearing it first (decoders write every
  // pixel anyway): `fill_row(y, row)` sets the pixels of row y, top byte 0. Pixels it leaves
  // keep the previous row's values.
  template <class FillRow>
  static Bitmap FromRows(int32_t width, int32_t height, FillRow fill_row);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  Size GetSize() const { return {width_, height_}; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  // Pixels between the starts of two rows.
  int32_t Pitch() const { return pitch_; }
  // True when the rows follow each other without a gap, so the picture is one block of memory.
  bool IsContiguous() const { return pitch_ == width_; }
  bool IsBorrowed() const { return borrowed_; }

  // Resizing keeps no pixels: the new picture is filled with `fill` (Windows leaves new bitmaps
  // black when their size changes). A borrowed picture becomes one of its own.
  void Resize(int32_t width, int32_t height, Pixel fill = 0);
  void Fill(Pixel p);

  Pixel At(int32_t x, int32_t y) const { return data_[Index(x, y)]; }
  void Set(int32_t x, int32_t y, Pixel p) { data_[Index(x, y)] = p; }
  // Pixel read that answers `outside` for points outside the picture.
  Pixel Get(int32_t x, int32_t y, Pixel outside = 0) const;

  std::span<Pixel> Row(int32_t y) { return {data_ + Index(0, y), size_t(width_)}; }
  std::span<const Pixel> Row(int32_t y) const { return {data_ + Index(0, y), size_t(width_)}; }
  // The first pixel of the first row; rows follow at Pitch().
  Pixel* Data() { return data_; }
  const Pixel* Data() const { return data_; }

  // Same size and same pixels, wherever they are stored.
  friend bool operator==(const Bitmap& a, const Bitmap& b);

 private:
  size_t Index(int32_t x, int32_t y) const { return size_t(y) * size_t(pitch_) + size_t(x); }
  // Throws std::length_error for sizes the player refuses to create.
  static void CheckSize(int32_t width, int32_t height);
  void CopyPixelsFrom(const Bitmap& other);

  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t pitch_ = 0;
  bool borrowed_ = false;
  Pixel* data_ = nullptr;
  std::vector<Pixel> pixels_;
};

template <class FillRow>
Bitmap Bitmap::FromRows(int32_t width, int32_t height, FillRow fill_row) {
  CheckSize(width, height);
  if (width == 0 || height == 0) return Bitmap(width, height);
  Bitmap out;
  out.width_ = width;
  out.height_ = height;
  out.pitch_ = width;
  out.pixels_.reserve(size_t(width) * size_t(height));
  std::vector<Pixel> row(static_cast<size_t>(width));
  for (int32_t y = 0; y < height; ++y) {
    fill_row(y, std::span<Pixel>(row));
    out.pixels_.insert(out.pixels_.end(), row.begin(), row.end());
  }
  out.data_ = out.pixels_.data();
  return out;
}

// The largest picture the player creates: bigger requests (from broken files or absurd placements)
// are refused rather than exhausting memory.
inline constexpr int64_t kMaxBitmapPixels = int64_t{1} << 26;  // 64 Mpixel, 256 MiB

// True when a bitmap of width x height (both >= 0) may be created.
inline bool FitsBitmap(int64_t width, int64_t height) {
  if (width > INT32_MAX || height > INT32_MAX) return false;
  return width == 0 || height <= kMaxBitmapPixels / width;
}

}  // namespace velmorant::platform
