#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmorant {

// The player carries a 6-character size stamp plus NUL, "??????" until a packaging step writes the
// byte size of its info.med there (velmorant-stamp).
inline constexpr size_t kSizeStampDigits = 6;
inline constexpr uint64_t kMaxStampedSize = 999999;

// The stamp as stored in this executable, up to its NUL.
std::string BuiltInSizeStamp();

// Why a definition of `file_size` bytes does not match `stamp`, or nothing when it does. A stamp
// led by '?' matches any size; any other stamp must be plain decimal digits.
std::optional<std::string> CheckSizeStamp(std::string_view stamp, size_t file_size);

struct StampLocation {
  std::optional<size_t> offset;  // of the 7-byte field inside the executable image
  std::string error;
};

// Finds the stamp field behind its marker; the marker must occur exactly once.
StampLocation FindSizeStamp(std::span<const uint8_t> executable);

// The 7 bytes to write at the stamp field for a definition of `size` bytes; nothing when too large.
std::optional<std::string> SizeStampField(uint64_t size);

}  // namespace velmorant
