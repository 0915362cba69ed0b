#include "platform/gfx/bmp_rle.hpp"

#include <algorithm>

#include "platform/gfx/colour.hpp"

namespace velmorant::platform {

namespace {

// The drawing position: x from the left, row from the bottom (RLE pictures are bottom-up).
class RleCursor {
 public:
  RleCursor(Bitmap& out, const BmpPalette& palette) : out_(out), palette_(palette) {}

  void Put(uint8_t index) {
    if (x_ < out_.Width() && row_ < out_.Height()) {
      out_.Set(int32_t(x_), out_.Height() - 1 - int32_t(row_), palette_[index]);
    }
    Advance(1);
  }
  // An encoded run of one colour: the visible part in one go.
  void Run(uint8_t index, int64_t count) {
    if (row_ < out_.Height()) {
      const int64_t end = std::min<int64_t>(x_ + count, out_.Width());
      auto row = out_.Row(out_.Height() - 1 - int32_t(row_));
      std::fill(row.begin() + x_, row.begin() + end, palette_[index]);
    }
    Advance(count);
  }
  // Positions stop at the right edge and below the last row, so they cannot overflow.
  void Advance(int64_t dx) { x_ = std::min<int64_t>(x_ + dx, out_.Width()); }
  void NextLine(int64_t rows) {
    x_ = 0;
    row_ = std::min<int64_t>(row_ + rows, out_.Height());
  }
  void Move(int64_t dx, int64_t dy) {
    Advance(dx);
    row_ = std::min<int64_t>(row_ + dy, out_.Height());
  }
  bool Done() const { return row_ >= out_.Height(); }

 private:
  Bitmap& out_;
  const BmpPalette& palette_;
  int64_t x_ = 0;
  int64_t row_ = 0;
};

uint8_t Nibble(uint8_t byte, size_t k) {
  return k % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

}  // namespace

Bitmap DecodeBmpRle(const BmpLayout& layout) {
  Bitmap out(layout.width, layout.height, kBlack);
  RleCursor cursor(out, layout.palette);
  const bool four_bit = layout.compression == BmpCompression::kRle4;
  const auto data = layout.pixels;
  size_t i = 0;
  while (i + 2 <= data.size() && !cursor.Done()) {
    const uint8_t count = data[i];
    const uint8_t value = data[i + 1];
    i += 2;
    if (count > 0 && !four_bit) {  // encoded run
      cursor.Run(value, count);
      continue;
    }
    if (count > 0) {  // encoded run of two alternating colours
      for (size_t k = 0; k < count; ++k) cursor.Put(Nibble(value, k));
      continue;
    }
    if (value == 0) {
      cursor.NextLine(1);
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (i + 2 > data.size()) break;
      cursor.Move(data[i], data[i + 1]);
      i += 2;
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      const size_t bytes = four_bit ? (size_t(value) + 1) / 2 : value;
      const size_t present = std::min(bytes, data.size() - i);
      for (size_t k = 0; k < value; ++k) {
        const size_t byte = four_bit ? k / 2 : k;
        if (byte >= present) break;
        cursor.Put(four_bit ? Nibble(data[i + byte], k) : data[i + byte]);
      }
      i += bytes + (bytes & 1);
    }
  }
  return out;
}

}  // namespace velmorant::platform
