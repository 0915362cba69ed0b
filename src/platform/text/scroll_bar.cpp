#include "platform/text/scroll_bar.hpp"

#include <algorithm>

#include "platform/gfx/colour.hpp"

namespace velmorant::platform {

namespace {

constexpr Pixel kFace = Rgb(0xD4, 0xD0, 0xC8);
constexpr Pixel kShadow = Rgb(0x80, 0x80, 0x80);
constexpr Pixel kDarkShadow = Rgb(0x40, 0x40, 0x40);
constexpr int32_t kMinThumb = 8;

void Fill(Bitmap& target, const Rect& r, Pixel colour) {
  const Rect c = r.Intersect(target.Bounds());
  for (int32_t y = c.top; y < c.bottom; ++y) {
    auto row = target.Row(y);
    std::fill(row.begin() + c.left, row.begin() + c.right, colour);
  }
}

void Put(Bitmap& target, int32_t x, int32_t y, Pixel colour) {
  if (target.Bounds().Contains({x, y})) target.Set(x, y, colour);
}

// A raised button: light top-left edges, shadowed bottom-right ones.
void Button(Bitmap& target, const Rect& r) {
  if (r.IsEmpty()) return;
  Fill(target, r, kFace);
  Fill(target, {r.left, r.top, r.right - 1, r.top + 1}, kFace);
  Fill(target, {r.left + 1, r.top + 1, r.right - 2, r.top + 2}, kWhite);
  Fill(target, {r.left + 1, r.top + 1, r.left + 2, r.bottom - 2}, kWhite);
  Fill(target, {r.left, r.bottom - 1, r.right, r.bottom}, kDarkShadow);
  Fill(target, {r.right - 1, r.top, r.right, r.bottom}, kDarkShadow);
  Fill(target, {r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, kShadow);
  Fill(target, {r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, kShadow);
}

// A black triangle of four rows, pointing up or down, centred in `r`.
void Arrow(Bitmap& target, const Rect& r, bool up) {
  const int32_t cx = r.left + (r.right - r.left) / 2;
  const int32_t cy = r.top + (r.bottom - r.top) / 2 - 2;
  for (int32_t i = 0; i < 4; ++i) {
    const int32_t half = up ? i : 3 - i;
    for (int32_t x = cx - half; x <= cx + half; ++x) Put(target, x, cy + i, kBlack);
  }
}

}  // namespace

VerticalScrollBar::VerticalScrollBar(const Rect& area, int64_t content, int64_t view,
                                     int64_t position)
    : area_(area) {
  arrow_ = int32_t(std::min<int64_t>(kWidth, area.Height() / 2));
  const int64_t track = area.Height() - 2 * arrow_;
  if (track < kMinThumb || content <= view || view <= 0) {
    thumb_ = {};
    return;
  }
  const int64_t size = std::clamp<int64_t>(track * view / content, kMinThumb, track);
  const int64_t room = track - size;
  const int64_t most = content - view;
  room_ = room;
  most_ = most;
  const int64_t at = room * std::clamp<int64_t>(position, 0, most) / most;
  thumb_ = {area.left, int32_t(area.top + arrow_ + at), area.right,
            int32_t(area.top + arrow_ + at + size)};
}

int64_t VerticalScrollBar::PositionForThumbAt(int64_t top) const {
  if (room_ <= 0) return 0;
  const int64_t at = std::clamp<int64_t>(top - (area_.top + arrow_), 0, room_);
  // The first position that shows the thumb there, where positions outnumber the track's pixels;
  // the nearest one where they are fewer.
  if (most_ >= room_) return (at * most_ + room_ - 1) / room_;
  return (at * most_ + room_ / 2) / room_;
}

VerticalScrollBar::Part VerticalScrollBar::PartAt(Point p) const {
  if (!area_.Contains(p)) return Part::kNone;
  if (p.y < area_.top + arrow_) return Part::kUpArrow;
  if (p.y >= area_.bottom - arrow_) return Part::kDownArrow;
  if (thumb_.IsEmpty()) return Part::kNone;
  if (p.y < thumb_.top) return Part::kPageUp;
  if (p.y >= thumb_.bottom) return Part::kPageDown;
  return Part::kThumb;
}

void VerticalScrollBar::Paint(Bitmap& target) const {
  const Rect track{area_.left, area_.top + arrow_, area_.right, area_.bottom - arrow_};
  const Rect visible = track.Intersect(target.Bounds());
  for (int32_t y = visible.top; y < visible.bottom; ++y) {
    for (int32_t x = visible.left; x < visible.right; ++x) {
      target.Set(x, y, ((x + y) & 1) ? kWhite : kFace);
    }
  }
  const Rect up{area_.left, area_.top, area_.right, area_.top + arrow_};
  const Rect down{area_.left, area_.bottom - arrow_, area_.right, area_.bottom};
  Button(target, up);
  Arrow(target, up, true);
  Button(target, down);
  Arrow(target, down, false);
  Button(target, thumb_);
}

}  // namespace velmorant::platform
