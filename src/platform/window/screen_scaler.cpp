#include "platform/window/screen_scaler.hpp"

#include <algorithm>
#include <cstring>

namespace velmorant::platform {

namespace {

int64_t FloorDiv(int64_t n, int64_t d) {
  return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// Byte by byte (each colour channel alike): (256 - w) parts of a and w parts of b, rounded. The
// sums never exceed 255 * 256, so 16-bit lanes hold them and the loops vectorise.
inline uint8_t MixByte(uint8_t a, uint8_t b, uint16_t w) {
  return uint8_t(uint16_t(uint16_t(a * uint16_t(256 - w)) + uint16_t(b * w) + 128) >> 8);
}

void MixRows(const Pixel* a, const Pixel* b, uint16_t w, Pixel* out, size_t pixels) {
  const auto* pa = reinterpret_cast<const uint8_t*>(a);
  const auto* pb = reinterpret_cast<const uint8_t*>(b);
  auto* po = reinterpret_cast<uint8_t*>(out);
  for (size_t i = 0; i < pixels * sizeof(Pixel); ++i) po[i] = MixByte(pa[i], pb[i], w);
}

// As MixRows with a weight for every byte.
void MixRowsWeighted(const Pixel* a, const Pixel* b, const uint16_t* w, Pixel* out, size_t pixels) {
  const auto* pa = reinterpret_cast<const uint8_t*>(a);
  const auto* pb = reinterpret_cast<const uint8_t*>(b);
  auto* po = reinterpret_cast<uint8_t*>(out);
  for (size_t i = 0; i < pixels * sizeof(Pixel); ++i) po[i] = MixByte(pa[i], pb[i], w[i]);
}

}  // namespace

ScreenScaler::Taps ScreenScaler::MakeTaps(int32_t screen, int32_t output, int32_t whole_factor,
                                          ScreenFilter filter) {
  Taps taps;
  if (screen <= 0 || output <= 0) return taps;
  taps.near_pixel.resize(size_t(output));
  taps.far_pixel.resize(size_t(output));
  taps.far_weight.resize(size_t(output));
  const int64_t k = std::max(1, whole_factor);
  const int64_t enlarged = k * screen;
  for (int64_t i = 0; i < output; ++i) {
    int64_t a = 0;
    int64_t b = 0;
    int64_t w = 0;
    if (filter == ScreenFilter::kNearest) {
      a = b = FloorDiv((2 * i + 1) * screen, 2 * output);
    } else {
      // The centre of output pixel i in the enlarged picture, less half a pixel, in 2*output-ths.
      const int64_t den = 2 * int64_t{output};
      const int64_t num = (2 * i + 1) * enlarged - output;
      const int64_t left = FloorDiv(num, den);
      const int64_t frac = num - left * den;
      a = std::clamp<int64_t>(left, 0, enlarged - 1) / k;
      b = std::clamp<int64_t>(left + 1, 0, enlarged - 1) / k;
      w = a == b ? 0 : (512 * frac + den) / (2 * den);
      if (w == 256) a = b;
      if (w == 0 || w == 256) {
        b = a;
        w = 0;
      }
    }
    taps.near_pixel[size_t(i)] = int32_t(std::clamp<int64_t>(a, 0, screen - 1));
    taps.far_pixel[size_t(i)] = int32_t(std::clamp<int64_t>(b, 0, screen - 1));
    taps.far_weight[size_t(i)] = uint16_t(w);
  }
  taps.byte_weight.resize(size_t(output) * sizeof(Pixel));
  for (size_t i = 0; i < taps.byte_weight.size(); ++i) {
    taps.byte_weight[i] = taps.far_weight[i / sizeof(Pixel)];
  }
  return taps;
}

ScreenScaler::ScreenScaler(const ScreenMapping& mapping) : mapping_(mapping) {
  const Size whole = mapping.WholeFactors();
  columns_ =
      MakeTaps(mapping.screen.width, int32_t(mapping.output.Width()), whole.width, mapping.filter);
  rows_ = MakeTaps(mapping.screen.height, int32_t(mapping.output.Height()), whole.height,
                   mapping.filter);
}

Rect ScreenScaler::Affected(const Rect& region) const {
  // Both taps grow with the output pixel: the first that reaches the region, the first beyond it.
  auto span = [](const Taps& t, int32_t lo, int32_t hi, int32_t origin) {
    const auto first = std::lower_bound(t.far_pixel.begin(), t.far_pixel.end(), lo);
    const auto last = std::lower_bound(t.near_pixel.begin(), t.near_pixel.end(), hi);
    return std::pair{origin + int32_t(first - t.far_pixel.begin()),
                     origin + int32_t(last - t.near_pixel.begin())};
  };
  const auto [left, right] = span(columns_, region.left, region.right, mapping_.output.left);
  const auto [top, bottom] = span(rows_, region.top, region.bottom, mapping_.output.top);
  const Rect r{left, top, right, bottom};
  return r.IsEmpty() ? Rect{} : r;
}

const Pixel* ScreenScaler::ScaledRow(const Bitmap& picture, int32_t y, int32_t first, int32_t last,
                                     int32_t keep) {
  for (int b = 0; b < 2; ++b) {
    if (buffered_row_[b] == y) return buffers_[b].data();
  }
  const int b = buffered_row_[next_buffer_] == keep ? next_buffer_ ^ 1 : next_buffer_;
  next_buffer_ = b ^ 1;
  buffered_row_[b] = y;
  std::vector<Pixel>& out = buffers_[b];
  const auto count = size_t(last - first);
  out.resize(count);
  const Pixel* src = picture.Row(y).data();
  const int32_t* near = columns_.near_pixel.data() + first;
  if (mapping_.filter == ScreenFilter::kNearest) {
    for (size_t i = 0; i < count; ++i) out[i] = src[near[i]];
    return out.data();
  }
  // Gathered apart and mixed together, so that the mixing vectorises.
  near_pixels_.resize(count);
  far_pixels_.resize(count);
  const int32_t* far = columns_.far_pixel.data() + first;
  for (size_t i = 0; i < count; ++i) {
    near_pixels_[i] = src[near[i]];
    far_pixels_[i] = src[far[i]];
  }
  MixRowsWeighted(near_pixels_.data(), far_pixels_.data(),
                  columns_.byte_weight.data() + size_t(first) * sizeof(Pixel), out.data(), count);
  return out.data();
}

void ScreenScaler::Draw(const Bitmap& picture, Bitmap& target, const Rect& part) {
  if (picture.GetSize() != mapping_.screen) return;
  const Rect todo = part.Intersect(mapping_.output).Intersect(target.Bounds());
  if (todo.IsEmpty()) return;
  const int32_t first = todo.left - mapping_.output.left;
  const int32_t last = todo.right - mapping_.output.left;
  const auto width = size_t(last - first);
  // Rows are scaled afresh for every call: the picture may have changed since the last.
  buffered_row_[0] = buffered_row_[1] = -1;
  for (int32_t y = todo.top; y < todo.bottom; ++y) {
    const auto i = size_t(y - mapping_.output.top);
    Pixel* out = target.Row(y).data() + todo.left;
    const int32_t near_row = rows_.near_pixel[i];
    const Pixel* near = ScaledRow(picture, near_row, first, last, -1);
    const uint16_t w = rows_.far_weight[i];
    if (w == 0) {
      std::memcpy(out, near, width * sizeof(Pixel));
      continue;
    }
    const Pixel* far = ScaledRow(picture, rows_.far_pixel[i], first, last, near_row);
    MixRows(near, far, w, out, width);
  }
}

}  // namespace velmorant::platform
