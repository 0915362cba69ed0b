#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

struct StampLocations {
  std::vector<size_t> offsets;  // of the 7-byte fields inside the executable image
  std::string error;            // set when there is none
};

// Finds the stamp fields behind their marker. Debug information may hold a second copy of the
// field's initial value; every copy is stamped so that the choice never matters.
StampLocations FindSizeStamps(std::span<const uint8_t> executable);

// The 7 bytes to write at the stamp field for a definition of `size` bytes; nothing when too large.
std::optional<std::string> SizeStampField(uint64_t size);

}  // namespace velmorant
