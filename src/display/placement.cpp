#include "display/placement.hpp"

namespace velmorant {

namespace {

int32_t Wrap(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// One axis; `natural` is the size the caller put in the rectangle.
void PlaceAxis(int32_t pos, int32_t size, int32_t client, int32_t natural, int32_t& low,
               int32_t& high) {
  const int32_t extent = size >= 1 ? Wrap(int64_t{client} * size) / 100 : natural;
  int32_t start = 0;
  if (pos == -3) {
    start = 0;
  } else if (pos == -2) {
    start = Wrap(int64_t{client} - extent) / 2;
  } else if (pos == -1) {
    start = Wrap(int64_t{client} - extent);
  } else {
    start = Wrap(int64_t{client} * pos) / 100;
  }
  low = start;
  high = Wrap(int64_t{start} + extent);
}

}  // namespace

void Place(int32_t x, int32_t y, int32_t w, int32_t h, platform::Rect& rect,
           platform::Size client) {
  const int32_t natural_width = rect.right;
  const int32_t natural_height = rect.bottom;
  PlaceAxis(x, w, client.width, natural_width, rect.left, rect.right);
  PlaceAxis(y, h, client.height, natural_height, rect.top, rect.bottom);
}

}  // namespace velmorant
