#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velmorant::platform {

// A DIB (a bitmap as documents and metafiles store it) is a BMP file without its 14-byte file
// header: this puts one in front, pointing past the header and the colour table. Nothing for
// data too short to hold a header.
std::optional<std::vector<uint8_t>> AsBmpFile(std::span<const uint8_t> dib);

}  // namespace velmorant::platform
