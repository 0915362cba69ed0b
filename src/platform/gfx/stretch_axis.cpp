#include "platform/gfx/stretch_axis.hpp"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace velmorant::platform {

namespace {

using Wide = __int128;

// Walk index of the source pixel that enlarging gives destination walk index i.
int64_t EnlargeSource(int64_t i, int64_t s, int64_t d) {
  const Wide num = Wide(2 * i + 1) * s;
  return int64_t((num + 2 * d - 1) / (2 * d)) - 1;
}

// First source walk index that shrinking merges into destination walk index i (i may be d).
int64_t ShrinkFirstSource(int64_t i, int64_t s, int64_t d) {
  const Wide q = (Wide(2) * s * i) / d;
  return int64_t((q + 1) / 2);
}

// The pixels [begin, end) that a start and a signed extent cover.
std::pair<int64_t, int64_t> Covered(int64_t start, int64_t extent) {
  if (extent < 0) return {start + extent + 1, start + 1};
  return {start, start + extent};
}

// A mirrored copy whose source is cut by the source's edge is not mirrored in place: its
// destination moves by the part that was cut (the reference GDI's quirk, kept as it is, with its
// integer truncation).
int64_t MirroredDestinationStart(const AxisRequest& r, int32_t src_limit) {
  const int64_t sx = r.src_start;
  const int64_t sw = r.src_extent;
  const int64_t dw = r.dst_extent;
  if ((sw < 0) == (dw < 0)) return r.dst_start;
  const auto [src_begin, src_end] = Covered(sx, sw);
  const int64_t vis_begin = std::max<int64_t>(src_begin, 0);
  const int64_t vis_end = std::min<int64_t>(src_end, src_limit);
  if (vis_begin >= vis_end) return r.dst_start;
  const int64_t offset = -sx - (sw < 0 ? 1 : 0);
  int64_t a = int64_t(Wide(vis_begin + offset) * dw / sw);
  int64_t b = int64_t(Wide(vis_end + offset) * dw / sw);
  if (a > b) std::swap(a, b);
  if (sw < 0 && (sx + sw + 1 < vis_begin || sx > vis_end)) return r.dst_start + (dw - b) - a;
  if (sw > 0 && (sx < vis_begin || sx + sw > vis_end)) return r.dst_start - (b - (dw - a));
  return r.dst_start;
}

}  // namespace

AxisMap MapAxis(const AxisRequest& request, int32_t dst_lo, int32_t dst_hi, int32_t src_limit) {
  AxisMap map;
  int64_t src_extent = request.src_extent;
  if (request.dst_extent == 0 || src_extent == 0 || dst_hi <= dst_lo || src_limit <= 0) {
    return map;
  }
  // Whatever the mirror quirk does, nothing lands outside the requested destination.
  const auto [dst_begin, dst_end] = Covered(request.dst_start, request.dst_extent);
  const int64_t clip_lo = std::max<int64_t>(dst_lo, dst_begin);
  const int64_t clip_hi = std::min<int64_t>(dst_hi, dst_end);
  const int64_t x0 = MirroredDestinationStart(request, src_limit);
  // A one-pixel destination drops the last source pixel from the merge.
  if (request.dst_extent == 1 && src_extent > 1) --src_extent;

  const int64_t d = std::llabs(request.dst_extent);
  const int64_t s = std::llabs(src_extent);
  const int64_t dst_inc = request.dst_extent > 0 ? 1 : -1;
  const int64_t src_inc = src_extent > 0 ? 1 : -1;

  // Walk indexes whose destination pixel lies inside the target.
  int64_t i_begin = 0;
  int64_t i_end = d;
  if (dst_inc > 0) {
    i_begin = std::max<int64_t>(i_begin, clip_lo - x0);
    i_end = std::min<int64_t>(i_end, clip_hi - x0);
  } else {
    i_begin = std::max<int64_t>(i_begin, x0 - clip_hi + 1);
    i_end = std::min<int64_t>(i_end, x0 - clip_lo + 1);
  }
  if (i_begin >= i_end) return map;

  const bool shrinking = s > d;
  const auto count = size_t(i_end - i_begin);
  std::vector<int32_t> lo(count);
  std::vector<int32_t> hi(count);
  std::vector<bool> valid(count);
  const int64_t p_min = dst_inc > 0 ? x0 + i_begin : x0 - (i_end - 1);

  for (int64_t i = i_begin; i < i_end; ++i) {
    int64_t j_first = 0;
    int64_t j_last = 0;
    if (shrinking) {
      j_first = ShrinkFirstSource(i, s, d);
      j_last = ShrinkFirstSource(i + 1, s, d) - 1;
    } else if (s == d) {
      // What EnlargeSource gives for equal sizes, without its wide division per pixel.
      j_first = j_last = i;
    } else {
      j_first = j_last = EnlargeSource(i, s, d);
    }
    int64_t q_a = request.src_start + src_inc * j_first;
    int64_t q_b = request.src_start + src_inc * j_last;
    if (q_a > q_b) std::swap(q_a, q_b);
    q_a = std::max<int64_t>(q_a, 0);
    q_b = std::min<int64_t>(q_b, int64_t{src_limit} - 1);
    const auto k = size_t(x0 + dst_inc * i - p_min);
    if (q_a > q_b) continue;
    lo[k] = int32_t(q_a);
    hi[k] = int32_t(q_b);
    valid[k] = true;
  }

  // The pixels fed from inside the source form one run, because the mapping is monotonic.
  const auto first = size_t(std::find(valid.begin(), valid.end(), true) - valid.begin());
  if (first == count) return map;
  size_t last = count;
  while (!valid[last - 1]) --last;

  map.dst_first = int32_t(p_min + int64_t(first));
  map.src_lo.assign(lo.begin() + std::ptrdiff_t(first), lo.begin() + std::ptrdiff_t(last));
  map.src_hi.assign(hi.begin() + std::ptrdiff_t(first), hi.begin() + std::ptrdiff_t(last));
  const auto [min_lo, max_lo] = std::minmax_element(map.src_lo.begin(), map.src_lo.end());
  map.src_min = *min_lo;
  map.src_max = std::max(*max_lo, *std::max_element(map.src_hi.begin(), map.src_hi.end()));
  if (shrinking) {
    map.shape = AxisMap::Shape::kRanges;
    for (size_t k = 0; k < map.src_lo.size(); ++k) {
      map.longest_run = std::max(map.longest_run, map.src_hi[k] - map.src_lo[k] + 1);
    }
    if (map.longest_run <= 2) {
      const int32_t span = map.src_max - map.src_min + 1;
      map.pair_index.resize(map.src_lo.size());
      for (size_t k = 0; k < map.src_lo.size(); ++k) {
        const int32_t offset = map.src_lo[k] - map.src_min;
        map.pair_index[k] = map.src_hi[k] == map.src_lo[k] ? offset : span + offset;
      }
    }
  } else if (s == d) {
    map.shape = dst_inc == src_inc ? AxisMap::Shape::kIdentity : AxisMap::Shape::kMirror;
  } else {
    map.shape = AxisMap::Shape::kSingle;
  }
  return map;
}

}  // namespace velmorant::platform
