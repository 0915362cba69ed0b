#pragma once

// Builds info.med files byte by byte for the tests, independently of the project's Writer and field
// description, and records the values written so that a test knows what a load must give.

#include <cstdint>
#include <string>
#include <vector>

#include "definition/definition.hpp"

namespace velmorant::test {

class ByteBuilder {
 public:
  std::vector<uint8_t> bytes;

  void PutByte(uint8_t v) { bytes.push_back(v); }
  void PutU32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
  }
  void PutString(const std::string& s) {
    PutByte(uint8_t(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
  }

  // Fresh values, each different from the last, written and returned.
  int32_t I32() {
    const int32_t v = -50000 + 7919 * counter_++;
    PutU32(uint32_t(v));
    return v;
  }
  uint8_t Byte() {
    const uint8_t v = uint8_t(37 * counter_++ + 5);
    PutByte(v);
    return v;
  }
  std::string Str() {
    // Code-page bytes above 0x7f as well, to see they pass untouched.
    // Appended piece by piece: GCC 12 reports a false -Wrestrict for "literal" + std::string.
    std::string s = "s";
    s += std::to_string(counter_++);
    s += "\xb9\xea";
    PutString(s);
    return s;
  }
  TIntWektor Set(uint32_t count) {
    TIntWektor set;
    PutU32(count);
    for (uint32_t i = 0; i < count; ++i) set.Add(I32());
    return set;
  }
  TAkc Action() {
    TAkc a;
    a.code = Byte();
    a.argument = I32();
    return a;
  }
  uint32_t Count(uint32_t n) {
    PutU32(n);
    return n;
  }

 private:
  int counter_ = 1;
};

struct IndependentFile {
  std::vector<uint8_t> bytes;
  Definition expected;
};

// A file of the given edition with one or two records in every table the edition has.
IndependentFile BuildIndependentFile(char edition);

}  // namespace velmorant::test
