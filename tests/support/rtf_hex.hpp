// Bytes as the lower-case hex digits an RTF picture carries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmorant::fixtures {

inline std::string RtfHex(const std::vector<uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (uint8_t b : bytes) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 15]);
  }
  return out;
}

}  // namespace velmorant::fixtures
