#include "definition/size_stamp.hpp"

#include <algorithm>
#include <cstring>

namespace velmorant {

namespace {

// One array holds the marker and the field behind it, so the marker text occurs once in the binary.
constexpr size_t kMarkerLength = 24;
constexpr size_t kFieldLength = kSizeStampDigits + 1;
[[gnu::used]] const char kSizeStampBlock[kMarkerLength + kFieldLength + 1] =
    "\x7fVELMORANT-SIZE-STAMP->\x01??????";

std::string_view Marker() {
  return {kSizeStampBlock, kMarkerLength};
}

}  // namespace

std::string BuiltInSizeStamp() {
  // Read through volatile so the compiler cannot fold the "??????" it sees at build time.
  const volatile char* field = kSizeStampBlock + kMarkerLength;
  std::string stamp;
  for (size_t i = 0; i < kSizeStampDigits && field[i] != '\0'; ++i) stamp.push_back(field[i]);
  return stamp;
}

std::optional<std::string> CheckSizeStamp(std::string_view stamp, size_t file_size) {
  if (!stamp.empty() && stamp.front() == '?') return std::nullopt;
  const bool digits =
      !stamp.empty() && stamp.size() <= kSizeStampDigits &&
      std::all_of(stamp.begin(), stamp.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits) return "the player's size stamp \"" + std::string(stamp) + "\" is not a number";
  const uint64_t stamped = std::stoull(std::string(stamp));
  if (stamped != file_size) {
    return "the file has " + std::to_string(file_size) + " bytes but the player is stamped for " +
           std::to_string(stamped);
  }
  return std::nullopt;
}

StampLocation FindSizeStamp(std::span<const uint8_t> executable) {
  StampLocation location;
  const auto marker = Marker();
  const auto* begin = reinterpret_cast<const char*>(executable.data());
  const std::string_view image(begin, executable.size());
  size_t found = 0;
  for (size_t at = image.find(marker); at != std::string_view::npos;
       at = image.find(marker, at + 1)) {
    if (image.size() - at - marker.size() < kFieldLength) continue;
    ++found;
    location.offset = at + marker.size();
  }
  if (found == 0) {
    location.offset.reset();
    location.error = "no size stamp found: this is not a Velmorant player";
  } else if (found > 1) {
    location.offset.reset();
    location.error = "the size stamp marker occurs " + std::to_string(found) + " times";
  }
  return location;
}

std::optional<std::string> SizeStampField(uint64_t size) {
  if (size > kMaxStampedSize) return std::nullopt;
  std::string field = std::to_string(size);
  field.resize(kFieldLength, '\0');
  return field;
}

}  // namespace velmorant
