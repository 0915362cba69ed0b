#include "platform/window/screen_mapping.hpp"

#include <algorithm>

namespace velmorant::platform {

namespace {

int64_t FloorDiv(int64_t n, int64_t d) {
  return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// The screen coordinate under the centre of output pixel `v` (counted from the output's edge).
int32_t ScreenAt(int64_t v, int64_t screen, int64_t output) {
  if (output <= 0) return 0;
  return int32_t(FloorDiv((2 * v + 1) * screen, 2 * output));
}

// The first output pixel whose centre lies at or after screen coordinate `s`.
int32_t OutputAt(int64_t s, int64_t screen, int64_t output) {
  if (screen <= 0) return 0;
  return int32_t(-FloorDiv(-(2 * output * s - screen), 2 * screen));
}

// `inner` of the given size in the middle of `outer`.
Rect Centred(Size outer, int64_t width, int64_t height) {
  const auto w = int32_t(std::clamp<int64_t>(width, 1, outer.width));
  const auto h = int32_t(std::clamp<int64_t>(height, 1, outer.height));
  const int32_t left = (outer.width - w) / 2;
  const int32_t top = (outer.height - h) / 2;
  return {left, top, left + w, top + h};
}

Rect FitWithAspect(Size screen, Size out) {
  const int64_t sw = screen.width;
  const int64_t sh = screen.height;
  // Rounded to the nearest pixel; the side that limits is exact.
  if (int64_t{out.width} * sh <= int64_t{out.height} * sw) {
    return Centred(out, out.width, (2 * sh * out.width + sw) / (2 * sw));
  }
  return Centred(out, (2 * sw * out.height + sh) / (2 * sh), out.height);
}

}  // namespace

ScreenMapping ScreenMapping::Filling(Size screen, Size output_pixels) {
  return {screen, {0, 0, output_pixels.width, output_pixels.height}, ScreenFilter::kNearest};
}

ScreenMapping ScreenMapping::Scaled(ScaleMode mode, Size screen, Size output_pixels) {
  if (screen.width <= 0 || screen.height <= 0 || output_pixels.width <= 0 ||
      output_pixels.height <= 0 || mode == ScaleMode::kNone) {
    return Filling(screen, output_pixels);
  }
  ScreenMapping m{screen, {}, ScreenFilter::kNearest};
  const int32_t whole =
      std::min(output_pixels.width / screen.width, output_pixels.height / screen.height);
  if (mode == ScaleMode::kStretch) {
    m.output = {0, 0, output_pixels.width, output_pixels.height};
  } else if (mode == ScaleMode::kInteger && whole >= 1) {
    m.output =
        Centred(output_pixels, int64_t{whole} * screen.width, int64_t{whole} * screen.height);
  } else {
    m.output = FitWithAspect(screen, output_pixels);
  }
  const bool whole_factors =
      m.output.Width() % screen.width == 0 && m.output.Height() % screen.height == 0;
  m.filter = whole_factors ? ScreenFilter::kNearest : ScreenFilter::kSharpBilinear;
  return m;
}

Point ScreenMapping::ToScreen(Point pixel) const {
  return {ScreenAt(int64_t{pixel.x} - output.left, screen.width, output.Width()),
          ScreenAt(int64_t{pixel.y} - output.top, screen.height, output.Height())};
}

Rect ScreenMapping::ToOutput(const Rect& rect) const {
  const int64_t w = output.Width();
  const int64_t h = output.Height();
  return {output.left + OutputAt(rect.left, screen.width, w),
          output.top + OutputAt(rect.top, screen.height, h),
          output.left + OutputAt(rect.right, screen.width, w),
          output.top + OutputAt(rect.bottom, screen.height, h)};
}

Size ScreenMapping::WholeFactors() const {
  auto whole = [](int64_t out, int32_t in) {
    return in > 0 ? int32_t(std::max<int64_t>(1, out / in)) : 1;
  };
  return {whole(output.Width(), screen.width), whole(output.Height(), screen.height)};
}

}  // namespace velmorant::platform
