#include "platform/window/cursor_image.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string_view>

namespace velmorant::platform {

namespace {

// 'X' outline (black), 'o' fill (white), '.' transparent.
constexpr std::array<std::string_view, 26> kMultiDrag = {
    "X.....................",  //
    "XX....................",  //
    "XoX...................",  //
    "XooX..................",  //
    "XoooX.................",  //
    "XooooX................",  //
    "XoooooX...............",  //
    "XooooooX..............",  //
    "XoooooooX.............",  //
    "XooooooooX............",  //
    "XoooooXXXXX...........",  //
    "XooXooX...............",  //
    "XoX.XooX..............",  //
    "XX..XooX..............",  //
    "X....XooX.............",  //
    ".....XooX.............",  //
    "......XX..XXXXXXXXX...",  //
    "..........XoooooooX...",  //
    "........XXXXXXXXXoX...",  //
    "........XoooooooXoX...",  //
    "......XXXXXXXXXoXoX...",  //
    "......XoooooooXoXXX...",  //
    "......XoooooooXoX.....",  //
    "......XoooooooXXX.....",  //
    "......XoooooooX.......",  //
    "......XXXXXXXXX.......",  //
};

constexpr std::array<std::string_view, 19> kArrow = {
    "X...........",  //
    "XX..........",  //
    "XoX.........",  //
    "XooX........",  //
    "XoooX.......",  //
    "XooooX......",  //
    "XoooooX.....",  //
    "XooooooX....",  //
    "XoooooooX...",  //
    "XooooooooX..",  //
    "XoooooooooX.",  //
    "XooooooXXXXX",  //
    "XoooXooX....",  //
    "XooXXooX....",  //
    "XoX..XooX...",  //
    "XX...XooX...",  //
    "X.....XooX..",  //
    "......XooX..",  //
    ".......XX...",  //
};

constexpr std::array<std::string_view, 20> kHand = {
    ".....XX..........",  //
    "....XooX.........",  //
    "....XooX.........",  //
    "....XooX.........",  //
    "....XooX.........",  //
    "....XooXXX.......",  //
    "....XooXooXXX....",  //
    "....XooXooXooXX..",  //
    "XX..XooXooXooXoX.",  //
    "XooXXooooooooXooX",  //
    "XoooXoooooooooooX",  //
    ".XooXoooooooooooX",  //
    "..XoooooooooooooX",  //
    "..XooooooooooooX.",  //
    "...XoooooooooooX.",  //
    "...XooooooooooX..",  //
    "....XoooooooooX..",  //
    "....XooooooooX...",  //
    ".....XoooooooX...",  //
    ".....XXXXXXXXX...",  //
};

constexpr std::array<std::string_view, 20> kHourglass = {
    "XXXXXXXXXXXXX",  //
    "XoooooooooooX",  //
    "XXXXXXXXXXXXX",  //
    ".XoooooooooX.",  //
    ".XoXXXXXXXoX.",  //
    ".XooXXXXXooX.",  //
    "..XooXXXooX..",  //
    "...XooXooX...",  //
    "....XoXoX....",  //
    ".....XoX.....",  //
    "....XoooX....",  //
    "...XooXooX...",  //
    "..XoooooooX..",  //
    ".XoooXXXoooX.",  //
    ".XooXXXXXooX.",  //
    ".XoXXXXXXXoX.",  //
    ".XoooooooooX.",  //
    "XXXXXXXXXXXXX",  //
    "XoooooooooooX",  //
    "XXXXXXXXXXXXX",  //
};

CursorImage FromArt(std::span<const std::string_view> art, int32_t hot_x, int32_t hot_y) {
  CursorImage image;
  image.width = int32_t(art[0].size());
  image.height = int32_t(art.size());
  image.hot_x = hot_x;
  image.hot_y = hot_y;
  image.argb.reserve(size_t(image.width) * size_t(image.height));
  for (std::string_view row : art) {
    for (char c : row) {
      image.argb.push_back(c == 'X' ? 0xFF000000u : c == 'o' ? 0xFFFFFFFFu : 0u);
    }
  }
  return image;
}

}  // namespace

CursorImage MultiDragCursor() {
  return FromArt(kMultiDrag, 0, 0);
}

CursorImage ArrowCursor() {
  return FromArt(kArrow, 0, 0);
}

CursorImage HandCursor() {
  return FromArt(kHand, 6, 0);
}

CursorImage HourglassCursor() {
  return FromArt(kHourglass, 6, 9);
}

CursorImage ScaleCursor(const CursorImage& image, double x_factor, double y_factor) {
  if (image.width <= 0 || image.height <= 0 || !(x_factor > 0) || !(y_factor > 0)) return image;
  // Cursors beyond 256 pixels are refused by some display servers.
  auto scaled = [](int32_t size, double factor) {
    return int32_t(std::clamp(std::lround(size * factor), 1L, 256L));
  };
  CursorImage out;
  out.width = scaled(image.width, x_factor);
  out.height = scaled(image.height, y_factor);
  // The top-left corner of the hot pixel's block: the tip of an arrow stays its tip.
  out.hot_x = std::min(out.width - 1, int32_t(int64_t{image.hot_x} * out.width / image.width));
  out.hot_y = std::min(out.height - 1, int32_t(int64_t{image.hot_y} * out.height / image.height));
  out.argb.resize(size_t(out.width) * size_t(out.height));
  for (int32_t y = 0; y < out.height; ++y) {
    const int64_t sy = (2 * int64_t{y} + 1) * image.height / (2 * int64_t{out.height});
    for (int32_t x = 0; x < out.width; ++x) {
      const int64_t sx = (2 * int64_t{x} + 1) * image.width / (2 * int64_t{out.width});
      out.argb[size_t(y) * size_t(out.width) + size_t(x)] =
          image.argb[size_t(sy) * size_t(image.width) + size_t(sx)];
    }
  }
  return out;
}

}  // namespace velmorant::platform
