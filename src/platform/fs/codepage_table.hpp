#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace velmorant::platform {

// A Windows code page as fixed tables (874, 932, 936, 949, 950, 1250 to 1258), the same on every
// backend: a C library's converters differ from one machine to the next, and some lack these pages.
// Every page keeps ASCII as it is.
class CodePageTable {
 public:
  static constexpr char16_t kUndefined = 0xFFFF;
  static constexpr char16_t kLead = 0xFFFE;

  // `high`: the bytes 0x80 to 0xFF, each a character, kUndefined or kLead. `pairs`: for each lead
  // byte in order, the characters of the trails first_trail to last_trail (kUndefined where none).
  constexpr CodePageTable(int number, const char16_t* high, unsigned char first_trail = 0,
                          unsigned char last_trail = 0, const char16_t* pairs = nullptr)
      : number(number),
        high_(high),
        first_trail_(first_trail),
        last_trail_(last_trail),
        pairs_(pairs) {
    uint8_t row = 0;
    for (int i = 0; i < 128; ++i) lead_rows_[i] = high[i] == kLead ? row++ : 0;
  }

  const int number;

  bool IsDoubleByte() const { return pairs_ != nullptr; }
  bool IsLead(unsigned char byte) const { return byte >= 0x80 && high_[byte - 0x80] == kLead; }
  // The character of a byte alone; nothing for an undefined byte or a lead byte.
  std::optional<char32_t> Single(unsigned char byte) const {
    if (byte < 0x80) return byte;
    const char16_t c = high_[byte - 0x80];
    if (c == kUndefined || c == kLead) return std::nullopt;
    return c;
  }
  // The character of a lead byte and its trail; nothing for a pair the page leaves undefined.
  std::optional<char32_t> Pair(unsigned char lead, unsigned char trail) const {
    if (!IsLead(lead) || trail < first_trail_ || trail > last_trail_) return std::nullopt;
    const int width = last_trail_ - first_trail_ + 1;
    const char16_t c = pairs_[lead_rows_[lead - 0x80] * width + (trail - first_trail_)];
    if (c == kUndefined) return std::nullopt;
    return c;
  }

 private:
  const char16_t* high_;
  unsigned char first_trail_;
  unsigned char last_trail_;
  const char16_t* pairs_;
  std::array<uint8_t, 128> lead_rows_{};
};

// The table of a code page, or nullptr for a page without one.
const CodePageTable* FindCodePageTable(int number);

}  // namespace velmorant::platform
