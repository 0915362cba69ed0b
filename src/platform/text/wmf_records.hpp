#pragma once

#include <cstdint>
#include <span>

namespace velmorant::platform::wmf {

// Record functions of the Windows metafile format that the player acts on.
enum Function : uint16_t {
  kEof = 0x0000,
  kSaveDc = 0x001E,
  kSetBkMode = 0x0102,
  kSetMapMode = 0x0103,
  kSetPolyFillMode = 0x0106,
  kSelectObject = 0x012D,
  kSetTextAlign = 0x012E,
  kRestoreDc = 0x0127,
  kDibCreatePatternBrush = 0x0142,
  kDeleteObject = 0x01F0,
  kCreatePatternBrush = 0x01F9,
  kCreatePalette = 0x00F7,
  kSetBkColour = 0x0201,
  kSetTextColour = 0x0209,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kOffsetWindowOrg = 0x020F,
  kLineTo = 0x0213,
  kMoveTo = 0x0214,
  kCreatePen = 0x02FA,
  kCreateFont = 0x02FB,
  kCreateBrush = 0x02FC,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kScaleWindowExt = 0x0410,
  kIntersectClipRect = 0x0416,
  kEllipse = 0x0418,
  kRectangle = 0x041B,
  kTextOut = 0x0521,
  kPolyPolygon = 0x0538,
  kRoundRect = 0x061C,
  kPatBlt = 0x061D,
  kCreateRegion = 0x06FF,
  kDibBitBlt = 0x0940,
  kExtTextOut = 0x0A32,
  kDibStretchBlt = 0x0B41,
  kSetDibToDev = 0x0D33,
  kStretchDib = 0x0F43,
};

// The parameters of one record: 16-bit words, little-endian. Reads past the end give 0, so a
// short record draws something harmless rather than reading outside it.
class Params {
 public:
  explicit Params(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Words() const { return bytes_.size() / 2; }
  uint16_t U16(size_t word) const {
    const size_t at = word * 2;
    if (at + 1 >= bytes_.size()) return 0;
    return uint16_t(bytes_[at] | bytes_[at + 1] << 8);
  }
  int16_t I16(size_t word) const { return int16_t(U16(word)); }
  uint32_t U32(size_t word) const { return U16(word) | uint32_t{U16(word + 1)} << 16; }
  // The bytes from `word` on.
  std::span<const uint8_t> From(size_t word) const {
    return word * 2 >= bytes_.size() ? std::span<const uint8_t>() : bytes_.subspan(word * 2);
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace velmorant::platform::wmf
