#include "platform/gfx/stretch_blit.hpp"

#include <cstring>
#include <vector>

namespace velmorant::platform {

namespace {

// One source row resampled along x into `out` (map.Count() pixels).
void ResampleRow(const Pixel* src, const AxisMap& map, Pixel* __restrict out) {
  const auto n = size_t(map.Count());
  const int32_t* lo = map.src_lo.data();
  switch (map.shape) {
    case AxisMap::Shape::kIdentity:
      std::memcpy(out, src + lo[0], n * sizeof(Pixel));
      return;
    case AxisMap::Shape::kMirror: {
      const Pixel* from = src + lo[0];
      for (size_t k = 0; k < n; ++k) out[k] = *(from - k);
      return;
    }
    case AxisMap::Shape::kSingle:
      for (size_t k = 0; k < n; ++k) out[k] = src[lo[k]];
      return;
    case AxisMap::Shape::kRanges: {
      const int32_t* hi = map.src_hi.data();
      for (size_t k = 0; k < n; ++k) {
        Pixel acc = src[lo[k]];
        for (int32_t q = lo[k] + 1; q <= hi[k]; ++q) acc &= src[q];
        out[k] = acc;
      }
      return;
    }
  }
}

bool IsInPlace(const AxisRequest& axis) {
  return axis.dst_start == axis.src_start && axis.dst_extent == axis.src_extent;
}

void AndRows(Pixel* __restrict acc, const Pixel* __restrict row, size_t n) {
  for (size_t k = 0; k < n; ++k) acc[k] &= row[k];
}

}  // namespace

void StretchBlit(Bitmap& target, const Bitmap& source, const AxisRequest& x, const AxisRequest& y,
                 CopyMode mode) {
  if (&target == &source) {
    // A picture copied onto itself in place stays as it is in every mode but NOTSRCCOPY: skip
    // the copy of the whole picture (a full-screen back buffer redrawn from itself).
    if (IsInPlace(x) && IsInPlace(y) && mode != CopyMode::kNotSrcCopy) return;
    // Reading and writing one picture: work from a copy, as a copy through two devices would.
    const Bitmap copy = source;
    StretchBlit(target, copy, x, y, mode);
    return;
  }
  const AxisMap mx = MapAxis(x, target.Width(), source.Width());
  if (mx.Empty()) return;
  const AxisMap my = MapAxis(y, target.Height(), source.Height());
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

  std::vector<Pixel> row(n);
  std::vector<Pixel> scratch(my.shape == AxisMap::Shape::kRanges ? n : 0);
  int32_t row_lo = -1;
  int32_t row_hi = -1;
  for (int32_t k = 0; k < my.Count(); ++k) {
    const int32_t lo = my.src_lo[size_t(k)];
    const int32_t hi = my.src_hi[size_t(k)];
    // Enlarging repeats source rows: resample each distinct run once.
    if (lo != row_lo || hi != row_hi) {
      ResampleRow(source.Row(lo).data(), mx, row.data());
      for (int32_t r = lo + 1; r <= hi; ++r) {
        ResampleRow(source.Row(r).data(), mx, scratch.data());
        AndRows(row.data(), scratch.data(), n);
      }
      row_lo = lo;
      row_hi = hi;
    }
    ApplyCopyMode(mode, target.Row(my.dst_first + k).data() + mx.dst_first, row.data(), n);
  }
}

}  // namespace velmorant::platform
