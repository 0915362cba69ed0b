#include "platform/gfx/bmp_palette.hpp"

#include "platform/gfx/colour.hpp"

namespace velmorant::platform {

BmpPalette ReadBmpPalette(std::span<const uint8_t> entries, size_t entry_size) {
  BmpPalette palette{};
  palette.fill(kBlack);
  const size_t count = entry_size == 0 ? 0 : entries.size() / entry_size;
  for (size_t i = 0; i < count && i < palette.size(); ++i) {
    const auto e = entries.subspan(i * entry_size, 3);
    palette[i] = Rgb(e[2], e[1], e[0]);
  }
  return palette;
}

}  // namespace velmorant::platform
