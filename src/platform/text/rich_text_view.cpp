#include "platform/text/rich_text_view.hpp"

#include <algorithm>
#include <cstring>

#include "platform/text/scroll_bar.hpp"

namespace velmorant::platform {

namespace {

constexpr uint16_t kVkPrior = 33;
constexpr uint16_t kVkNext = 34;
constexpr uint16_t kVkEnd = 35;
constexpr uint16_t kVkHome = 36;
constexpr uint16_t kVkUp = 38;
constexpr uint16_t kVkDown = 40;
// One notch of the wheel, and the lines it scrolls.
constexpr int32_t kWheelDelta = 120;
constexpr int32_t kWheelLines = 3;

}  // namespace

void RichTextView::SetDocument(RichDocument doc) {
  layout_.reset();
  fonts_.reset();
  doc_ = std::move(doc);
  fonts_ = std::make_unique<RichFonts>(engine_, doc_);
  scroll_ = 0;
  LayOut();
}

void RichTextView::SetBounds(const Rect& bounds) {
  const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
  bounds_ = bounds;
  if (resized) LayOut();
}

void RichTextView::SetBackground(Pixel colour) {
  if (colour == background_) return;
  background_ = colour;
  rendered_ = false;
}

void RichTextView::LayOut() {
  rendered_ = false;
  if (!fonts_) return;
  // Laid out beside the scroll bar first, so that a long text is laid out once. A text that only
  // just overflows beside the bar keeps the bar even if it would fit the full width.
  const int32_t full = ViewWidth() - 2 * kInset;
  bar_ = ViewWidth() > VerticalScrollBar::kWidth;
  if (bar_) {
    layout_ = std::make_unique<RichLayout>(doc_, *fonts_, full - VerticalScrollBar::kWidth);
    bar_ = layout_->Height() > ViewHeight();
  }
  if (!bar_) layout_ = std::make_unique<RichLayout>(doc_, *fonts_, full);
  scroll_ = std::clamp(scroll_, 0, MaxScroll());
}

int32_t RichTextView::MaxScroll() const {
  return std::max(0, ContentHeight() - ViewHeight());
}

Rect RichTextView::TextArea() const {
  return {0, 0, ViewWidth() - (bar_ ? VerticalScrollBar::kWidth : 0), ViewHeight()};
}

Rect RichTextView::BarArea() const {
  return {ViewWidth() - VerticalScrollBar::kWidth, 0, ViewWidth(), ViewHeight()};
}

void RichTextView::ScrollTo(int32_t y) {
  y = std::clamp(y, 0, MaxScroll());
  const int32_t delta = y - scroll_;
  if (delta == 0) return;
  scroll_ = y;
  if (!rendered_ || std::abs(delta) >= ViewHeight()) {
    rendered_ = false;
    return;
  }
  // Move what is already drawn and draw only the rows that came into view.
  const int32_t h = ViewHeight();
  const size_t row_bytes = size_t(picture_.Width()) * sizeof(Pixel);
  if (delta > 0) {
    for (int32_t row = 0; row + delta < h; ++row) {
      std::memcpy(picture_.Row(row).data(), picture_.Row(row + delta).data(), row_bytes);
    }
    RenderRows(h - delta, h);
  } else {
    for (int32_t row = h - 1; row + delta >= 0; --row) {
      std::memcpy(picture_.Row(row).data(), picture_.Row(row + delta).data(), row_bytes);
    }
    RenderRows(0, -delta);
  }
  RenderBar();
}

void RichTextView::ScrollLines(int32_t lines) {
  if (!layout_ || layout_->Lines().empty() || lines == 0) return;
  const auto& all = layout_->Lines();
  int64_t i = int64_t(layout_->LineAt(scroll_));
  // Up from the middle of a line first goes to that line's top.
  if (lines < 0 && all[size_t(i)].top < scroll_) ++i;
  i = std::clamp<int64_t>(i + lines, 0, int64_t(all.size()) - 1);
  ScrollTo(all[size_t(i)].top);
}

void RichTextView::ScrollPages(int32_t pages) {
  ScrollTo(int32_t(
      std::clamp<int64_t>(int64_t{scroll_} + int64_t{pages} * ViewHeight(), 0, MaxScroll())));
}

int32_t RichTextView::CharFromPos(Point client) const {
  if (!layout_) return 0;
  return layout_->CharAt({client.x - kInset, int32_t(int64_t{client.y} + scroll_)});
}

const Bitmap& RichTextView::Picture() const {
  if (!rendered_) Render();
  return picture_;
}

void RichTextView::Render() const {
  const int32_t w = std::max(0, ViewWidth());
  const int32_t h = std::max(0, ViewHeight());
  if (!FitsBitmap(w, h)) return;
  if (picture_.Width() != w || picture_.Height() != h) picture_.Resize(w, h);
  RenderRows(0, h);
  RenderBar();
  rendered_ = true;
}

void RichTextView::RenderRows(int32_t top, int32_t bottom) const {
  const Rect rows = Rect{0, top, picture_.Width(), bottom}.Intersect(picture_.Bounds());
  for (int32_t y = rows.top; y < rows.bottom; ++y) {
    auto row = picture_.Row(y);
    std::fill(row.begin(), row.end(), background_);
  }
  if (layout_) layout_->Paint(picture_, {kInset, -scroll_}, rows.Intersect(TextArea()));
}

void RichTextView::RenderBar() const {
  if (!bar_) return;
  VerticalScrollBar(BarArea(), ContentHeight(), ViewHeight(), scroll_).Paint(picture_);
}

void RichTextView::PaintOnto(Bitmap& target) const {
  const Bitmap& picture = Picture();
  const Rect area = bounds_.Intersect(target.Bounds());
  for (int32_t y = area.top; y < area.bottom; ++y) {
    const auto from = picture.Row(y - bounds_.top);
    std::copy(from.begin() + (area.left - bounds_.left), from.begin() + (area.right - bounds_.left),
              target.Row(y).begin() + area.left);
  }
}

void RichTextView::OnMouseDown(MouseButton button, int32_t x, int32_t y) {
  if (bar_ && BarArea().Contains({x, y})) {
    using Part = VerticalScrollBar::Part;
    switch (VerticalScrollBar(BarArea(), ContentHeight(), ViewHeight(), scroll_).PartAt({x, y})) {
      case Part::kUpArrow:
        ScrollLines(-1);
        break;
      case Part::kDownArrow:
        ScrollLines(1);
        break;
      case Part::kPageUp:
        ScrollPages(-1);
        break;
      case Part::kPageDown:
        ScrollPages(1);
        break;
      default:
        break;
    }
    return;
  }
  if (on_mouse_down) on_mouse_down(button, x, y);
}

void RichTextView::OnMouseMove(int32_t x, int32_t y) {
  over_bar_ = bar_ && BarArea().Contains({x, y});
  if (!over_bar_ && on_mouse_move) on_mouse_move(x, y);
}

void RichTextView::OnWheel(int32_t delta) {
  wheel_rest_ += std::clamp(delta, -(1 << 20), 1 << 20);
  const int32_t notches = wheel_rest_ / kWheelDelta;
  wheel_rest_ -= notches * kWheelDelta;
  ScrollLines(-notches * kWheelLines);
}

void RichTextView::OnKeyDown(uint16_t& key) {
  switch (key) {
    case kVkUp:
      ScrollLines(-1);
      break;
    case kVkDown:
      ScrollLines(1);
      break;
    case kVkPrior:
      ScrollPages(-1);
      break;
    case kVkNext:
      ScrollPages(1);
      break;
    case kVkHome:
      ScrollTo(0);
      break;
    case kVkEnd:
      ScrollTo(MaxScroll());
      break;
    default:
      return;
  }
  key = 0;
}

}  // namespace velmorant::platform
