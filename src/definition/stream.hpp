#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "definition/actions.hpp"

namespace velmorant {

// Reads the primitives of a definition from a byte buffer. Every read that would pass the end of
// the data fails (and says why in Problem()); counts that cannot fit in what is left fail before
// anything is allocated.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> data) : data_(data) {}

  size_t Offset() const { return offset_; }
  size_t Remaining() const { return data_.size() - offset_; }
  const std::string& Problem() const { return problem_; }

  bool Byte(uint8_t& value);
  bool I32(int32_t& value);
  bool U32(uint32_t& value);
  // A length byte, then that many bytes; the text ends at the first NUL among them.
  bool String(std::string& value);
  // A u32 count, then that many i32 values.
  bool IndexSet(TIntWektor& value);
  // A code byte, then an i32 argument.
  bool Action(TAkc& value);

 private:
  bool Take(size_t count, const uint8_t*& bytes);

  std::span<const uint8_t> data_;
  size_t offset_ = 0;
  std::string problem_;
};

// Appends the primitives of a definition to a byte buffer.
class Writer {
 public:
  void Byte(uint8_t value) { bytes_.push_back(value); }
  void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
  void U32(uint32_t value);
  // False (and nothing written) when the text is longer than 255 bytes.
  bool String(std::string_view value);
  // False (and nothing written) when the set has more items than a u32 count can hold.
  bool IndexSet(const TIntWektor& value);
  void Action(const TAkc& value);

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

inline constexpr size_t kMaxStringLength = 255;

}  // namespace velmorant
