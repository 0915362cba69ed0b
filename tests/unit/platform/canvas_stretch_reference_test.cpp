#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/gfx/canvas.hpp"

namespace velmorant::platform {
namespace {

// The per-axis rule in its plain form: destination walk index i takes source walk indexes
// [first, last]; enlarging picks ceil((2i+1)*s/(2d)) - 1, shrinking takes the source pixels j
// whose own destination ceil((2j+1)*d/(2s)) - 1 is i.
std::pair<int64_t, int64_t> SourceRun(int64_t i, int64_t s, int64_t d) {
  if (s <= d) {
    const int64_t j = ((2 * i + 1) * s + 2 * d - 1) / (2 * d) - 1;
    return {j, j};
  }
  int64_t first = -1;
  int64_t last = -1;
  for (int64_t j = 0; j < s; ++j) {
    if (((2 * j + 1) * d + 2 * s - 1) / (2 * s) - 1 != i) continue;
    if (first < 0) first = j;
    last = j;
  }
  return {first, last};
}

// Slow model of CopyRect with SRCCOPY, positive extents only.
Bitmap Reference(Bitmap target, const Rect& dest, const Bitmap& source, const Rect& src) {
  const int64_t dw = dest.Width();
  const int64_t dh = dest.Height();
  int64_t sw = src.Width();
  int64_t sh = src.Height();
  if (dw == 1 && sw > 1) --sw;
  if (dh == 1 && sh > 1) --sh;
  for (int64_t i = 0; i < dw; ++i) {
    for (int64_t k = 0; k < dh; ++k) {
      const int64_t x = dest.left + i;
      const int64_t y = dest.top + k;
      if (x < 0 || y < 0 || x >= target.Width() || y >= target.Height()) continue;
      const auto [x0, x1] = SourceRun(i, sw, dw);
      const auto [y0, y1] = SourceRun(k, sh, dh);
      Pixel acc = 0xFFFFFF;
      bool any = false;
      for (int64_t sy = src.top + y0; sy <= src.top + y1; ++sy) {
        for (int64_t sx = src.left + x0; sx <= src.left + x1; ++sx) {
          if (sx < 0 || sy < 0 || sx >= source.Width() || sy >= source.Height()) continue;
          acc &= source.At(int32_t(sx), int32_t(sy));
          any = true;
        }
      }
      if (any) target.Set(int32_t(x), int32_t(y), acc);
    }
  }
  return target;
}

TEST(CanvasStretchReference, RandomStretchesMatchThePlainRule) {
  std::mt19937 rng(1234);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  Bitmap source(61, 47);
  for (int32_t y = 0; y < source.Height(); ++y) {
    for (int32_t x = 0; x < source.Width(); ++x) {
      // Mostly set bits, so that ANDs over long runs stay informative.
      source.Set(x, y, Pixel(rng() | rng()) & 0xFFFFFF);
    }
  }
  for (int round = 0; round < 300; ++round) {
    const Rect src{pick(-8, 40), pick(-8, 30), 0, 0};
    const Rect src_rect{src.left, src.top, src.left + pick(1, 60), src.top + pick(1, 50)};
    const Rect dest{pick(-10, 30), pick(-10, 30), 0, 0};
    const Rect dest_rect{dest.left, dest.top, dest.left + pick(1, 70), dest.top + pick(1, 70)};
    Bitmap target(40, 40, 0x010101);
    const Bitmap expected = Reference(target, dest_rect, source, src_rect);
    Canvas(target).CopyRect(dest_rect, source, src_rect);
    ASSERT_EQ(target, expected) << "round " << round;
  }
}

// Pictures of one width copied whole along x, so that rows join into blocks wherever they follow
// each other: shifted, clipped, stretched or shrunk vertically, under a clip, and in the modes
// whose result a white or black ground turns into the plain copy's.
TEST(CanvasStretchReference, FullWidthCopiesMatchThePlainRule) {
  std::mt19937 rng(4321);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  Bitmap source(32, 24);
  for (int32_t y = 0; y < source.Height(); ++y) {
    for (int32_t x = 0; x < source.Width(); ++x) source.Set(x, y, Pixel(rng() | rng()) & 0xFFFFFF);
  }
  struct Mode {
    CopyMode mode;
    Pixel ground;
  };
  for (int round = 0; round < 200; ++round) {
    const int32_t st = pick(-4, 20);
    const Rect src{0, st, 32, st + pick(1, 30)};
    const int32_t dt = pick(-10, 25);
    const int32_t height = round % 4 == 0 ? int32_t(src.Height()) : pick(1, 40);
    const Rect dest{0, dt, 32, dt + height};
    const bool clipped = round % 7 == 0;
    const Rect clip{0, pick(0, 10), clipped && round % 2 ? 31 : 32, pick(10, 30)};
    for (const Mode m : {Mode{CopyMode::kSrcCopy, 0x010101}, Mode{CopyMode::kSrcAnd, 0xFFFFFF},
                         Mode{CopyMode::kSrcPaint, 0x000000}}) {
      Bitmap target(32, 30, m.ground);
      Bitmap expected = Reference(target, dest, source, src);
      if (clipped) {
        for (int32_t y = 0; y < target.Height(); ++y) {
          for (int32_t x = 0; x < target.Width(); ++x) {
            if (!clip.Contains({x, y})) expected.Set(x, y, m.ground);
          }
        }
      }
      Canvas canvas(target);
      canvas.copy_mode = m.mode;
      if (clipped) canvas.SetClip(clip);
      canvas.CopyRect(dest, source, src);
      ASSERT_EQ(target, expected) << "round " << round << ", mode " << int(m.mode);
    }
  }
}

TEST(CanvasStretchReference, OnePassMaskedCopyEqualsTheTwoPasses) {
  std::mt19937 rng(77);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto random_picture = [&](int32_t w, int32_t h) {
    Bitmap b(w, h);
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) b.Set(x, y, Pixel(rng()) & 0xFFFFFF);
    }
    return b;
  };
  const Bitmap picture = random_picture(23, 17);
  const Bitmap mask = random_picture(23, 17);
  const Bitmap other_size_mask = random_picture(20, 19);
  const Bitmap ground = random_picture(30, 30);
  for (int round = 0; round < 300; ++round) {
    const int32_t dl = pick(-6, 28);
    const int32_t dt = pick(-6, 28);
    const Rect dest{dl, dt, dl + pick(-20, 40), dt + pick(-20, 40)};
    const int32_t sl = pick(-4, 22);
    const int32_t st = pick(-4, 16);
    const Rect src{sl, st, sl + pick(-20, 25), st + pick(-20, 20)};
    const Bitmap& m = round % 5 == 0 ? other_size_mask : mask;
    Bitmap two_pass = ground;
    Canvas reference(two_pass);
    reference.copy_mode = CopyMode::kSrcAnd;
    reference.CopyRect(dest, m, src);
    reference.copy_mode = CopyMode::kSrcPaint;
    reference.CopyRect(dest, picture, src);
    Bitmap one_pass = ground;
    Canvas(one_pass).CopyRectMasked(dest, picture, m, src);
    ASSERT_EQ(one_pass, two_pass) << "round " << round;
  }
}

}  // namespace
}  // namespace velmorant::platform
