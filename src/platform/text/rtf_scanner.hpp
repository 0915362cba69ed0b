#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace velmorant::platform {

struct RtfToken {
  enum class Kind : uint8_t {
    kOpen,    // {
    kClose,   // }
    kWord,    // \letters with an optional number
    kSymbol,  // \ and one other character (\~, \*, ...)
    kByte,    // \'hh, or an escaped \ { }
    kText,    // a run of plain bytes (line ends left out)
    kEnd,
  };
  Kind kind = Kind::kEnd;
  std::string_view word;  // kWord: the letters; kText: the bytes
  bool has_param = false;
  int32_t param = 0;  // kWord: clamped to 32 bits
  uint8_t byte = 0;   // kSymbol: the character; kByte: the byte
};

// Splits RTF into tokens, reading nothing outside `data`. Line ends outside control words mean
// nothing; "\" before a line end is a \par.
class RtfScanner {
 public:
  explicit RtfScanner(std::span<const uint8_t> data) : data_(data) {}

  RtfToken Next();
  // The `count` bytes after \bin (fewer at the end of the data).
  std::span<const uint8_t> TakeBinary(int64_t count);
  // Skips up to the end of the group that is open (whose { was the last opened): the tokens of
  // inner groups and their \bin data go with it.
  void SkipGroup();
  size_t Position() const { return pos_; }

 private:
  RtfToken ControlWord();
  RtfToken ControlSymbol();

  std::span<const uint8_t> data_;
  size_t pos_ = 0;
};

}  // namespace velmorant::platform
