#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace velmorant::platform {

// Little-endian reads at an offset. Callers check that offset + width <= bytes.size() first.
inline uint16_t ReadU16Le(std::span<const uint8_t> bytes, size_t offset) {
  return uint16_t(bytes[offset] | (bytes[offset + 1] << 8));
}

inline uint32_t ReadU32Le(std::span<const uint8_t> bytes, size_t offset) {
  return uint32_t(bytes[offset]) | (uint32_t(bytes[offset + 1]) << 8) |
         (uint32_t(bytes[offset + 2]) << 16) | (uint32_t(bytes[offset + 3]) << 24);
}

inline int32_t ReadI32Le(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<int32_t>(ReadU32Le(bytes, offset));
}

}  // namespace velmorant::platform
