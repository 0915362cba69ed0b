#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace velmorant::tools {

// The whole content of a file, or nothing when it cannot be read.
inline std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  return bytes;
}

// Parses a --codepage value; nothing unless it is a plain number.
inline std::optional<int> ParseCodePageNumber(const std::string& text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  int number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace velmorant::tools
