#include "platform/gfx/stretch_blit.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

namespace velmorant::platform {

namespace {

// Shrinking: out[k] := AND of the source run src_lo[k] .. src_hi[k]. A sparse table does it
// without an inner loop: level j holds the AND of 2^j pixels from each position, so a run of
// 2^j .. 2^(j+1) pixels is the AND of two overlapping entries. Levels are built with flat passes
// over the row, which the compiler vectorises.
void MergeRuns(const Pixel* src, int32_t base, const AxisMap& map, Pixel* __restrict out,
               std::vector<Pixel>& scratch) {
  const auto n = size_t(map.Count());
  const int32_t* lo = map.src_lo.data();
  const int32_t* hi = map.src_hi.data();
  int32_t level = 0;
  while ((int64_t{2} << level) < map.longest_run) ++level;
  const int32_t first = map.src_min;
  const auto span = size_t(map.src_max - first + 1);
  if (level == 0) {
    // Runs of one or two pixels: the row, then the ANDs of neighbours, one lookup per pixel.
    scratch.resize(2 * span);
    Pixel* single = scratch.data();
    Pixel* pairs = single + span;
    std::memcpy(single, src + (first - base), span * sizeof(Pixel));
    for (size_t x = 0; x + 1 < span; ++x) pairs[x] = single[x] & single[x + 1];
    pairs[span - 1] = single[span - 1];
    const int32_t* index = map.pair_index.data();
    for (size_t k = 0; k < n; ++k) out[k] = single[index[k]];
    return;
  }
  scratch.resize(span);
  Pixel* table = scratch.data();
  std::memcpy(table, src + (first - base), span * sizeof(Pixel));
  for (int32_t l = 0; l < level; ++l) {
    // In place and ascending: table[x + step] still holds the previous level when read.
    const auto step = size_t(1) << l;
    for (size_t x = 0; x + step < span; ++x) table[x] &= table[x + step];
  }
  const int32_t width = int32_t{1} << level;
  for (size_t k = 0; k < n; ++k) {
    if (hi[k] - lo[k] + 1 >= width) {
      out[k] = table[lo[k] - first] & table[hi[k] - width + 1 - first];
    } else {
      // A run cut short by the source's edge.
      Pixel acc = src[lo[k] - base];
      for (int32_t q = lo[k] + 1; q <= hi[k]; ++q) acc &= src[q - base];
      out[k] = acc;
    }
  }
}

// One source row resampled along x into `out` (map.Count() pixels); `src` holds the source
// pixels from x = `base` on.
void ResampleRow(const Pixel* src, int32_t base, const AxisMap& map, Pixel* __restrict out,
                 std::vector<Pixel>& scratch) {
  const auto n = size_t(map.Count());
  const int32_t* lo = map.src_lo.data();
  switch (map.shape) {
    case AxisMap::Shape::kIdentity:
      std::memcpy(out, src + (lo[0] - base), n * sizeof(Pixel));
      return;
    case AxisMap::Shape::kMirror: {
      const Pixel* from = src + (lo[0] - base);
      for (size_t k = 0; k < n; ++k) out[k] = *(from - k);
      return;
    }
    case AxisMap::Shape::kSingle:
      for (size_t k = 0; k < n; ++k) out[k] = src[lo[k] - base];
      return;
    case AxisMap::Shape::kRanges:
      MergeRuns(src, base, map, out, scratch);
      return;
  }
}

void AndRows(Pixel* __restrict acc, const Pixel* __restrict row, size_t n) {
  for (size_t k = 0; k < n; ++k) acc[k] &= row[k];
}

}  // namespace

void StretchBlit(Bitmap& target, const Rect& area, const Bitmap& source, const AxisRequest& x,
                 const AxisRequest& y, CopyMode mode) {
  if (&target == &source) {
    // Reading and writing one picture: work from a copy, as a copy through two devices would.
    const Bitmap copy = source;
    StretchBlit(target, area, copy, x, y, mode);
    return;
  }
  const Rect clip = area.Intersect(target.Bounds());
  const AxisMap mx = MapAxis(x, clip.left, clip.right, source.Width());
  if (mx.Empty()) return;
  const AxisMap my = MapAxis(y, clip.top, clip.bottom, source.Height());
  if (my.Empty()) return;

  const auto n = size_t(mx.Count());
  const bool single_rows = my.shape != AxisMap::Shape::kRanges;
  if (mx.shape == AxisMap::Shape::kIdentity && single_rows) {
    // Same width, same direction: combine straight from the source rows.
    for (int32_t k = 0; k < my.Count(); ++k) {
      Pixel* dst = target.Row(my.dst_first + k).data() + mx.dst_first;
      const Pixel* src = source.Row(my.src_lo[size_t(k)]).data() + mx.src_lo[0];
      ApplyCopyMode(mode, dst, src, n);
    }
    return;
  }

  const int32_t x_min = mx.src_min;
  const auto span = size_t(mx.src_max - x_min + 1);

  // A plain copy resamples straight into the destination row; other modes go through `row`.
  const bool direct = mode == CopyMode::kSrcCopy;
  std::vector<Pixel> row(direct ? 0 : n);
  std::vector<Pixel> merged(my.shape == AxisMap::Shape::kRanges ? span : 0);
  std::vector<Pixel> scratch;
  const Pixel* previous = nullptr;  // the last resampled row
  int32_t row_lo = -1;
  int32_t row_hi = -1;
  for (int32_t k = 0; k < my.Count(); ++k) {
    const int32_t lo = my.src_lo[size_t(k)];
    const int32_t hi = my.src_hi[size_t(k)];
    Pixel* dst = target.Row(my.dst_first + k).data() + mx.dst_first;
    // Enlarging repeats source rows: resample each distinct run once.
    if (lo == row_lo && hi == row_hi) {
      ApplyCopyMode(mode, dst, previous, n);
      continue;
    }
    Pixel* out = direct ? dst : row.data();
    if (lo == hi) {
      ResampleRow(source.Row(lo).data(), 0, mx, out, scratch);
    } else {
      // Merge the eliminated rows first, then resample the merged row once.
      std::memcpy(merged.data(), source.Row(lo).data() + x_min, span * sizeof(Pixel));
      for (int32_t r = lo + 1; r <= hi; ++r) {
        AndRows(merged.data(), source.Row(r).data() + x_min, span);
      }
      ResampleRow(merged.data(), x_min, mx, out, scratch);
    }
    if (!direct) ApplyCopyMode(mode, dst, out, n);
    previous = out;
    row_lo = lo;
    row_hi = hi;
  }
}

}  // namespace velmorant::platform
