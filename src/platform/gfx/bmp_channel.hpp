#pragma once

#include <bit>
#include <cstdint>

namespace velmorant::platform {

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits so that the channel's largest value
// is 255 (a 5-bit 31 is white, not 248).
class BmpChannel {
 public:
  explicit BmpChannel(uint32_t mask)
      : mask_(mask),
        shift_(mask == 0 ? 0 : std::countr_zero(mask)),
        max_(mask == 0 ? 0 : mask >> shift_) {}

  uint8_t Extract(uint32_t pixel) const {
    if (max_ == 0) return 0;
    const uint64_t v = (pixel & mask_) >> shift_;
    return uint8_t((v * 255 + max_ / 2) / max_);
  }

 private:
  uint32_t mask_;
  int shift_;
  uint64_t max_;
};

}  // namespace velmorant::platform
