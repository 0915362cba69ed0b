#include "definition/size_stamp.hpp"

#include <algorithm>
#include <cstring>

namespace velmorant {

namespace {

// One array holds the marker and the field behind it, so the program's data holds the marker once.
constexpr size_t kMarkerLength = 24;
constexpr size_t kFieldLength = kSizeStampDigits + 1;
[[gnu::used]] const char kSizeStampBlock[kMarkerLength + kFieldLength + 1] =
    "\x7fVELMORANT-SIZE-STAMP->\x01??????";

std::string_view Marker() {
  return {kSizeStampBlock, kMarkerLength};
}

// Six characters of '?', digits or NUL padding, then NUL.
bool IsStampField(std::string_view field) {
  if (field.back() != '\0') return false;
  return std::all_of(field.begin(), field.end() - 1,
                     [](char c) { return c == '?' || c == '\0' || (c >= '0' && c <= '9'); });
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

StampLocations FindSizeStamps(std::span<const uint8_t> executable) {
  StampLocations locations;
  const auto marker = Marker();
  const std::string_view image(reinterpret_cast<const char*>(executable.data()), executable.size());
  for (size_t at = image.find(marker); at != std::string_view::npos;
       at = image.find(marker, at + 1)) {
    const size_t field = at + marker.size();
    if (image.size() - field < kFieldLength) continue;
    if (IsStampField(image.substr(field, kFieldLength))) locations.offsets.push_back(field);
  }
  if (locations.offsets.empty()) locations.error = "no size stamp found: not a Velmorant player";
  return locations;
}

std::optional<std::string> SizeStampField(uint64_t size) {
  if (size > kMaxStampedSize) return std::nullopt;
  std::string field = std::to_string(size);
  field.resize(kFieldLength, '\0');
  return field;
}

}  // namespace velmorant
