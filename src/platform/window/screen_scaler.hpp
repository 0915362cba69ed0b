#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/bitmap.hpp"
#include "platform/window/screen_mapping.hpp"

namespace velmorant::platform {

// Draws a picture of the virtual screen into the real window's pixels as a mapping says, on the
// CPU: the renderer of last resort, and fast enough for every frame. Each real pixel mixes at
// most two screen pixels along each axis (weights in 256ths; nearest needs one).
class ScreenScaler {
 public:
  explicit ScreenScaler(const ScreenMapping& mapping);

  const ScreenMapping& Mapping() const { return mapping_; }
  // The real pixels whose colour depends on the screen pixels in `region`.
  Rect Affected(const Rect& region) const;
  // Writes the pixels of `target` (the real window) inside `part` and the output from `picture`,
  // a picture of the whole screen.
  void Draw(const Bitmap& picture, Bitmap& target, const Rect& part);

  // Along one axis, per output pixel: the screen pixels it mixes and the far one's weight.
  struct Taps {
    std::vector<int32_t> near_pixel;
    std::vector<int32_t> far_pixel;  // == near_pixel where the weight is 0
    std::vector<uint16_t> far_weight;
    std::vector<uint16_t> byte_weight;  // far_weight for each byte of a pixel
  };
  static Taps MakeTaps(int32_t screen, int32_t output, int32_t whole_factor, ScreenFilter filter);

 private:
  // Source row `y` scaled along x for output columns [first, last), kept in one of two buffers;
  // the buffer of row `keep` is not reused for it.
  const Pixel* ScaledRow(const Bitmap& picture, int32_t y, int32_t first, int32_t last,
                         int32_t keep);

  ScreenMapping mapping_;
  Taps columns_;
  Taps rows_;
  std::vector<Pixel> buffers_[2];
  std::vector<Pixel> near_pixels_;  // a row's two gathers before they are mixed
  std::vector<Pixel> far_pixels_;
  int32_t buffered_row_[2] = {-1, -1};
  int32_t next_buffer_ = 0;
};

}  // namespace velmorant::platform
