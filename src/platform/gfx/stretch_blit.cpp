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

bool IsInPlace(const AxisRequest& axis) {
  return axis.dst_start == axis.src_start && axis.dst_extent == axis.src_extent;
}

void AndRows(Pixel* __restrict acc, const Pixel* __restrict row, size_t n) {
  for (size_t k = 0; k < n; ++k) acc[k] &= row[k];
}

// The resampled source row of each destination row of one stretch.
class RowResampler {
 public:
  RowResampler(const Bitmap& source, const AxisMap& mx, const AxisMap& my)
      : source_(source), mx_(mx), my_(my) {
    if (my.shape == AxisMap::Shape::kRanges) merged_.resize(Span());
  }

  // True when destination row k reads the same source rows as row k - 1 (enlarging).
  bool Repeats(int32_t k) const {
    return k > 0 && my_.src_lo[size_t(k)] == my_.src_lo[size_t(k - 1)] &&
           my_.src_hi[size_t(k)] == my_.src_hi[size_t(k - 1)];
  }

  void Resample(int32_t k, Pixel* out) {
    const int32_t lo = my_.src_lo[size_t(k)];
    const int32_t hi = my_.src_hi[size_t(k)];
    if (lo == hi) {
      ResampleRow(source_.Row(lo).data(), 0, mx_, out, scratch_);
      return;
    }
    // Merge the eliminated rows first, then resample the merged row once.
    const int32_t x_min = mx_.src_min;
    const size_t span = Span();
    std::memcpy(merged_.data(), source_.Row(lo).data() + x_min, span * sizeof(Pixel));
    for (int32_t r = lo + 1; r <= hi; ++r) {
      AndRows(merged_.data(), source_.Row(r).data() + x_min, span);
    }
    ResampleRow(merged_.data(), x_min, mx_, out, scratch_);
  }

 private:
  size_t Span() const { return size_t(mx_.src_max - mx_.src_min + 1); }

  const Bitmap& source_;
  const AxisMap& mx_;
  const AxisMap& my_;
  std::vector<Pixel> merged_;
  std::vector<Pixel> scratch_;
};

bool IsOneToOne(const AxisMap& mx, const AxisMap& my) {
  return mx.shape == AxisMap::Shape::kIdentity && my.shape != AxisMap::Shape::kRanges;
}

// True when row y + 1 of `b` starts where row y ends.
bool RowsAdjoin(const Bitmap& b, int32_t y) {
  return b.Row(y + 1).data() == b.Row(y).data() + b.Width();
}

// Destination row k of a one-to-one copy continues row k - 1's block in both pictures: full
// rows, the next source row, no gap in memory.
bool ContinuesBlock(const Bitmap& target, const Bitmap& source, const AxisMap& mx,
                    const AxisMap& my, int32_t k) {
  const int32_t src_y = my.src_lo[size_t(k)];
  return mx.Count() == target.Width() && mx.Count() == source.Width() &&
         src_y == my.src_lo[size_t(k - 1)] + 1 && RowsAdjoin(target, my.dst_first + k - 1) &&
         RowsAdjoin(source, src_y - 1);
}

}  // namespace

void StretchBlit(Bitmap& target, const Rect& area, const Bitmap& source, const AxisRequest& x,
                 const AxisRequest& y, CopyMode mode) {
  if (&target == &source) {
    // A picture copied onto itself in place stays as it is in every mode but NOTSRCCOPY: skip
    // the copy of the whole picture (a full-screen back buffer redrawn from itself).
    if (IsInPlace(x) && IsInPlace(y) && mode != CopyMode::kNotSrcCopy) return;
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
  if (IsOneToOne(mx, my)) {
    // Same width, same direction: combine straight from the source rows, as one block where
    // the rows follow each other in both pictures (memcpy streams a large block past the cache,
    // which row by row it does not).
    for (int32_t k = 0; k < my.Count();) {
      Pixel* dst = target.Row(my.dst_first + k).data() + mx.dst_first;
      const Pixel* src = source.Row(my.src_lo[size_t(k)]).data() + mx.src_lo[0];
      size_t rows = 1;
      for (++k; k < my.Count() && ContinuesBlock(target, source, mx, my, k); ++k) ++rows;
      ApplyCopyMode(mode, dst, src, rows * n);
    }
    return;
  }

  // A plain copy resamples straight into the destination row; other modes go through `row`.
  const bool direct = mode == CopyMode::kSrcCopy;
  std::vector<Pixel> row(direct ? 0 : n);
  RowResampler rows(source, mx, my);
  const Pixel* previous = nullptr;
  for (int32_t k = 0; k < my.Count(); ++k) {
    Pixel* dst = target.Row(my.dst_first + k).data() + mx.dst_first;
    if (rows.Repeats(k)) {
      ApplyCopyMode(mode, dst, previous, n);
      continue;
    }
    Pixel* out = direct ? dst : row.data();
    rows.Resample(k, out);
    if (!direct) ApplyCopyMode(mode, dst, out, n);
    previous = out;
  }
}

void MaskedStretchBlit(Bitmap& target, const Rect& area, const Bitmap& picture, const Bitmap& mask,
                       const AxisRequest& x, const AxisRequest& y) {
  if (&target == &picture || &target == &mask || picture.GetSize() != mask.GetSize()) {
    StretchBlit(target, area, mask, x, y, CopyMode::kSrcAnd);
    StretchBlit(target, area, picture, x, y, CopyMode::kSrcPaint);
    return;
  }
  // Same size, so both passes would touch the same pixels from the same places: one pass.
  const Rect clip = area.Intersect(target.Bounds());
  const AxisMap mx = MapAxis(x, clip.left, clip.right, picture.Width());
  if (mx.Empty()) return;
  const AxisMap my = MapAxis(y, clip.top, clip.bottom, picture.Height());
  if (my.Empty()) return;

  const auto n = size_t(mx.Count());
  if (IsOneToOne(mx, my)) {
    for (int32_t k = 0; k < my.Count(); ++k) {
      Pixel* dst = target.Row(my.dst_first + k).data() + mx.dst_first;
      const int32_t src_y = my.src_lo[size_t(k)];
      ApplyMask(dst, mask.Row(src_y).data() + mx.src_lo[0],
                picture.Row(src_y).data() + mx.src_lo[0], n);
    }
    return;
  }
  std::vector<Pixel> mask_row(n);
  std::vector<Pixel> picture_row(n);
  RowResampler masks(mask, mx, my);
  RowResampler pictures(picture, mx, my);
  for (int32_t k = 0; k < my.Count(); ++k) {
    if (!pictures.Repeats(k)) {
      masks.Resample(k, mask_row.data());
      pictures.Resample(k, picture_row.data());
    }
    ApplyMask(target.Row(my.dst_first + k).data() + mx.dst_first, mask_row.data(),
              picture_row.data(), n);
  }
}

}  // namespace velmorant::platform
