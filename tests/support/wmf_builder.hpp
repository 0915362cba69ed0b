#pragma once

// Builds Windows metafiles in memory for tests and fuzz seeds: records of 16-bit words, the
// header and the end record around them.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "support/bmp_builder.hpp"

namespace velmorant::testing {

class WmfBuilder {
 public:
  // A record of `function` with `words` and then `bytes` (padded to a whole word).
  WmfBuilder& Record(uint16_t function, std::initializer_list<int32_t> words,
                     std::span<const uint8_t> bytes = {}) {
    const size_t size = 3 + words.size() + (bytes.size() + 1) / 2;
    PutLe(records_, size, 4);
    PutLe(records_, function, 2);
    for (int32_t w : words) PutLe(records_, uint16_t(w), 2);
    records_.insert(records_.end(), bytes.begin(), bytes.end());
    if (bytes.size() % 2) records_.push_back(0);
    return *this;
  }
  std::vector<uint8_t> Bytes(uint16_t objects = 16) const {
    std::vector<uint8_t> out;
    PutLe(out, 1, 2);      // in memory
    PutLe(out, 9, 2);      // header words
    PutLe(out, 0x300, 2);  // version
    PutLe(out, (records_.size() + 18 + 6) / 2, 4);
    PutLe(out, objects, 2);
    PutLe(out, 0, 4);  // largest record
    PutLe(out, 0, 2);
    out.insert(out.end(), records_.begin(), records_.end());
    PutLe(out, 3, 4);  // the end
    PutLe(out, 0, 2);
    return out;
  }

 private:
  std::vector<uint8_t> records_;
};

}  // namespace velmorant::testing
