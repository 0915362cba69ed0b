#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "definition/definition.hpp"

namespace velmorant {

// A screen lists each kind of element, and its shortcuts, as an index set; every listed value is
// visited in every page phase, so a set of 20,000 copies of one film would open and play it
// 20,000 times. No screen needs more than this many of one kind; the rest are not used.
inline constexpr size_t kMaxListedValues = 1024;

// A screen's index set longer than kMaxListedValues.
struct LongListing {
  size_t screen = 0;
  std::string field;  // "Films", "Maps", ...
  size_t count = 0;   // values in the file
};

std::vector<LongListing> FindLongListings(const Definition& definition);

// Cuts every long listing after its first kMaxListedValues values: what was cut, in file order.
std::vector<LongListing> CutLongListings(Definition& definition);

// One line for all of them: the first named, the rest counted ("" when there are none).
std::string DescribeCutListings(const std::vector<LongListing>& cut);

}  // namespace velmorant
