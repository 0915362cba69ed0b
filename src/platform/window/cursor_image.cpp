#include "platform/window/cursor_image.hpp"

#include <array>
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

}  // namespace

CursorImage MultiDragCursor() {
  CursorImage image;
  image.width = int32_t(kMultiDrag[0].size());
  image.height = int32_t(kMultiDrag.size());
  image.argb.reserve(size_t(image.width) * size_t(image.height));
  for (std::string_view row : kMultiDrag) {
    for (char c : row) {
      image.argb.push_back(c == 'X' ? 0xFF000000u : c == 'o' ? 0xFFFFFFFFu : 0u);
    }
  }
  return image;
}

}  // namespace velmorant::platform
