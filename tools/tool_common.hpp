#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/text/warning_line.hpp"

namespace velmorant::tools {

// The largest file a tool reads: far beyond any definition, its JSON form or a player program.
inline constexpr uint64_t kMaxInputBytes = uint64_t{1} << 30;

// "PROGRAM: FILE: MESSAGE" on stderr, escaped; status 1.
inline int Fail(const char* program, const std::string& file, const std::string& message) {
  std::fputs(platform::WarningLine(file, message, program).c_str(), stderr);
  return 1;
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
