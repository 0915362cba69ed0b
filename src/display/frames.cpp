#include "display/frames.hpp"

#include <algorithm>

#include "display/rect_arithmetic.hpp"
#include "display/render_helpers.hpp"
#include "platform/gfx/colour.hpp"

namespace velmorant {

using platform::Bitmap;
using platform::Canvas;
using platform::Point;
using platform::Rect;

namespace {

// Thicker frames cover any screen; the cap bounds the memory of the four saved strips.
constexpr int32_t kMaxFrameWidth = 1024;

Point MakePoint(int64_t x, int64_t y) {
  return {SaturateToInt32(x), SaturateToInt32(y)};
}

void DrawPolyline(Canvas& canvas, const std::vector<Point>& points, platform::Pixel colour) {
  canvas.pen_colour = colour;
  canvas.MoveTo(points.front().x, points.front().y);
  for (size_t k = 1; k < points.size(); ++k) canvas.LineTo(points[k].x, points[k].y);
}

}  // namespace

TRamkaRender::TRamkaRender(DrawingContext& display, int32_t frameIndex, const Rect& elementRect)
    : display_(display), ElementRect(elementRect) {
  const auto& styles = display.FrameStyles();
  if (frameIndex < 0 || size_t(frameIndex) >= styles.size()) return;
  const TRam& style = styles[size_t(frameIndex)];
  kind_ = int8_t(style.Kind);
  if (kind_ == 0 || style.Width < 1) return;
  const int32_t w = std::min(style.Width, kMaxFrameWidth);

  if (style.PatternFile.empty()) {
    Pattern = platform::MakeChargedPicture(
        display.Memory(), 1, w, [&] { return Bitmap(1, w, platform::ToPixel(style.Color)); });
    if (!Pattern) return;
  } else {
    Pattern = display.LoadPattern(style.PatternFile);
    // A pattern that cannot be loaded is a missing asset: no frame at all.
    if (!Pattern) return;
  }
  FrameWidth = w;

  const int64_t l = elementRect.left;
  const int64_t t = elementRect.top;
  const int64_t r = elementRect.right;
  const int64_t b = elementRect.bottom;
  LeftStrip = MakeRect(l - w, t - w, l, b);
  TopStrip = MakeRect(l, t - w, r + w, t);
  RightStrip = MakeRect(r, t, r + w, b + w);
  BottomStrip = MakeRect(l - w, b, r, b + w);
}

void TRamkaRender::SaveBackground() {
  if (FrameWidth <= 0) return;
  const bool saved = SaveUnder(display_, LeftStrip, &SavedLeft, SavedCharges[0]) &&
                     SaveUnder(display_, TopStrip, &SavedTop, SavedCharges[1]) &&
                     SaveUnder(display_, RightStrip, &SavedRight, SavedCharges[2]) &&
                     SaveUnder(display_, BottomStrip, &SavedBottom, SavedCharges[3]);
  if (saved) return;
  FrameWidth = 0;
  for (Bitmap* strip : {&SavedLeft, &SavedTop, &SavedRight, &SavedBottom}) *strip = Bitmap();
  for (auto& charge : SavedCharges) charge.Release();
}

std::vector<Point> TRamkaRender::Polyline(int32_t i) const {
  const int64_t l = ElementRect.left;
  const int64_t t = ElementRect.top;
  const int64_t r = ElementRect.right;
  const int64_t b = ElementRect.bottom;
  const int64_t w = FrameWidth;
  switch (kind_) {
    case 1:
      return {MakePoint(l - i - 1, t - i - 1), MakePoint(r + i, t - i - 1), MakePoint(r + i, b + i),
              MakePoint(l - i - 1, b + i), MakePoint(l - i - 1, t - i - 1)};
    case 2:
      return {MakePoint(l - i - 1, b - w), MakePoint(l - i - 1, t - i - 1),
              MakePoint(r - w + 1, t - i - 1)};
    case 3:
      return {MakePoint(l + w - 1, t - i - 1), MakePoint(r + i, t - i - 1),
              MakePoint(r + i, b - w + 1)};
    case 4:
      return {MakePoint(r + i, t + w - 1), MakePoint(r + i, b + i), MakePoint(l + w - 1, b + i)};
    case 5:
      return {MakePoint(r - w, b + i), MakePoint(l - i - 1, b + i),
              MakePoint(l - i - 1, t + w - 1)};
    default:
      return {};
  }
}

void TRamkaRender::Draw(bool show) {
  if (FrameWidth <= 0) return;
  if (!show) {
    Restore(display_.CurrentCanvas());
    Restore(display_.BackBufferCanvas());
    return;
  }
  // A pattern without a column has no rows to give.
  const int32_t rows = Pattern->Width() > 0 ? Pattern->Height() : 0;
  platform::Pixel colour = platform::kBlack;
  for (int32_t i = 0; i < FrameWidth; ++i) {
    if (i < rows) colour = Pattern->At(0, i);
    const std::vector<Point> points = Polyline(i);
    if (points.empty()) return;
    DrawPolyline(display_.CurrentCanvas(), points, colour);
    DrawPolyline(display_.BackBufferCanvas(), points, colour);
  }
}

void TRamkaRender::Restore(Canvas& canvas) const {
  canvas.StretchDraw(LeftStrip, SavedLeft);
  canvas.StretchDraw(TopStrip, SavedTop);
  canvas.StretchDraw(RightStrip, SavedRight);
  canvas.StretchDraw(BottomStrip, SavedBottom);
}

}  // namespace velmorant
