#pragma once

#include <cstdint>
#include <vector>

namespace velmorant::platform {

// One axis of a StretchBlt call as the caller gives it: a start and a signed extent for each side.
// A negative extent e at s covers s+e+1 .. s and is walked from s downwards.
struct AxisRequest {
  int64_t dst_start = 0;
  int64_t dst_extent = 0;
  int64_t src_start = 0;
  int64_t src_extent = 0;
};

// Which source pixels feed each destination pixel along one axis, after clipping against both
// bitmaps. Destination pixels dst_first .. dst_first + Count() - 1 are written; pixel
// dst_first + k takes the AND of source pixels src_lo[k] .. src_hi[k] (one pixel unless shrinking).
struct AxisMap {
  enum class Shape { kIdentity, kMirror, kSingle, kRanges };

  int32_t dst_first = 0;
  std::vector<int32_t> src_lo;
  std::vector<int32_t> src_hi;
  Shape shape = Shape::kSingle;
  int32_t longest_run = 1;  // the most source pixels merged into one destination pixel
  int32_t src_min = 0;      // the lowest and highest source pixels read
  int32_t src_max = 0;
  // Shrinking by at most two: per destination pixel, its run's place in a buffer holding the
  // source row from src_min and then the ANDs of each pixel with its right neighbour.
  std::vector<int32_t> pair_index;

  int32_t Count() const { return int32_t(src_lo.size()); }
  bool Empty() const { return src_lo.empty(); }
};

// Maps an axis the way the default stretch mode does: enlarging replicates (destination i takes
// source ceil((2i+1)*src/(2*dst)) - 1), shrinking gathers each eliminated run into one pixel.
// Destination pixels outside [dst_lo, dst_hi) and those fed only from outside [0, src_limit) are
// left out. A mirrored axis whose source is cut by the source's edge is shifted rather than
// mirrored in place, as the reference GDI does. Never overflows, whatever the request.
AxisMap MapAxis(const AxisRequest& request, int32_t dst_lo, int32_t dst_hi, int32_t src_limit);

}  // namespace velmorant::platform
