#pragma once

#include <cstdint>

namespace velmorant {

// The display engine's list of map regions under the pointer's watch, as maps add and remove
// their buttons while they come and go.
class MouseRegions {
 public:
  virtual ~MouseRegions() = default;
  virtual void AddRegion(int32_t map, int32_t region) = 0;
  virtual void RemoveRegion(int32_t map, int32_t region) = 0;
};

}  // namespace velmorant
