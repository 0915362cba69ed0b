#include "platform/text/rich_text_view.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace velmorant::platform {

namespace {

constexpr uint16_t kVkPrior = 33;
constexpr uint16_t kVkNext = 34;
constexpr uint16_t kVkEnd = 35;
constexpr uint16_t kVkHome = 36;
constexpr uint16_t kVkUp = 38;
constexpr uint16_t kVkDown = 40;
constexpr uint16_t kVkA = 65;
constexpr uint16_t kVkC = 67;
// One notch of the wheel, and the lines it scrolls.
constexpr int32_t kWheelDelta = 120;
constexpr int32_t kWheelLines = 3;

int32_t Clamp32(int64_t v) {
  return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

RichTextView::RichTextView(const FontEngine& fonts, EventLoop* loop, Clipboard* clipboard,
                           MemoryBudget* memory)
    : engine_(fonts),
      loop_(loop),
      clipboard_(clipboard),
      memory_(memory),
      repeat_(loop ? std::make_unique<Timer>(*loop) : nullptr) {}

RichTextView::~RichTextView() = default;

void RichTextView::SetDocument(RichDocument doc) {
  layout_.reset();
  fonts_.reset();
  doc_ = std::move(doc);
  fonts_ = std::make_unique<RichFonts>(engine_, doc_);
  scroll_ = 0;
  selection_ = {};
  LayOut();
}

void RichTextView::SetBounds(const Rect& bounds) {
  const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
  bounds_ = bounds;
  if (resized) {
    refused_at_.reset();
    LayOut();
  }
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
  if (!rendered_ || std::abs(delta) >= ViewHeight() || picture_.Height() != ViewHeight()) {
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

int32_t RichTextView::CaretFromPos(Point client) const {
  if (!layout_ || layout_->Lines().empty()) return 0;
  const int32_t y = Clamp32(int64_t{client.y} + scroll_);
  const LayoutLine& line = layout_->Lines()[layout_->LineAt(y)];
  const int64_t x = int64_t{client.x} - kInset - line.x;
  for (uint32_t q = line.start; q < line.end; ++q) {
    if (x < layout_->CharX(q) + layout_->CharWidth(q) / 2) return int32_t(q);
  }
  // Past the line's end: before the mark that ends it, after a character that wraps.
  if (line.end > line.start) {
    const char32_t last = doc_.text[line.end - 1];
    if (last == kParagraphMark || last == kLineBreak) return int32_t(line.end) - 1;
  }
  return int32_t(line.end);
}

void RichTextView::Select(int32_t anchor, int32_t caret) {
  const auto n = int32_t(doc_.Length());
  const TextSelection wanted{std::clamp(anchor, 0, n), std::clamp(caret, 0, n)};
  if (wanted == selection_) return;
  // Two empty selections look the same.
  const bool changed = !(wanted.Empty() && selection_.Empty());
  selection_ = wanted;
  if (changed) rendered_ = false;
}

void RichTextView::Copy() const {
  if (!clipboard_ || selection_.Empty()) return;
  clipboard_->SetText(PlainText(doc_.text, selection_.Start(), selection_.End()));
}

const Bitmap& RichTextView::Picture() const {
  if (!rendered_) Render();
  return picture_;
}

void RichTextView::Render() const {
  const int32_t w = std::max(0, ViewWidth());
  const int32_t h = std::max(0, ViewHeight());
  if (picture_.Width() != w || picture_.Height() != h) {
    if (!ChargePicture(w, h)) return;
    picture_.Resize(w, h);
  }
  RenderRows(0, h);
  RenderBar();
  rendered_ = true;
}

bool RichTextView::ChargePicture(int32_t w, int32_t h) const {
  // The old picture goes first: it is not needed beside the new one.
  picture_ = Bitmap();
  charge_.Release();
  if (refused_at_ && (!memory_ || memory_->Used() >= *refused_at_)) return false;
  std::optional<MemoryBudget::Charge> charge;
  if (memory_) {
    charge = memory_->ReservePicture(w, h);
  } else if (FitsBitmap(w, h)) {
    charge.emplace();
  }
  if (charge) {
    charge_ = std::move(*charge);
    refused_at_.reset();
    return true;
  }
  refused_at_ = memory_ ? memory_->Used() : 0;
  if (!warned_ && on_refused) {
    on_refused(memory_ ? memory_->PictureRefusal(w, h)
                       : "picture of " + std::to_string(w) + " x " + std::to_string(h) +
                             " refused: larger than any picture may be");
  }
  warned_ = true;
  return false;
}

void RichTextView::RenderRows(int32_t top, int32_t bottom) const {
  const Rect rows = Rect{0, top, picture_.Width(), bottom}.Intersect(picture_.Bounds());
  for (int32_t y = rows.top; y < rows.bottom; ++y) {
    auto row = picture_.Row(y);
    std::fill(row.begin(), row.end(), background_);
  }
  if (!layout_) return;
  layout_->Paint(picture_, {kInset, -scroll_}, rows.Intersect(TextArea()));
  InvertSelection(rows.Intersect(TextArea()));
}

// Selected characters are shown inverted over the height of their lines, as the classic
// control draws its selection.
void RichTextView::InvertSelection(const Rect& rows) const {
  if (selection_.Empty() || rows.IsEmpty()) return;
  const auto start = uint32_t(selection_.Start());
  const auto end = uint32_t(selection_.End());
  for (size_t i = layout_->LineAt(Clamp32(int64_t{rows.top} + scroll_));
       i < layout_->Lines().size(); ++i) {
    const LayoutLine& line = layout_->Lines()[i];
    const int64_t top = int64_t{line.top} - scroll_;
    if (top >= rows.bottom) break;
    const uint32_t a = std::max(start, line.start);
    const uint32_t b = std::min(end, line.end);
    if (a >= b) continue;
    const int64_t left = int64_t{kInset} + line.x + layout_->CharX(a);
    const int64_t right =
        int64_t{kInset} + line.x + layout_->CharX(b - 1) + layout_->CharWidth(b - 1);
    const Rect cells =
        Rect{Clamp32(left), Clamp32(top), Clamp32(right), Clamp32(top + line.height)}.Intersect(
            rows);
    for (int32_t y = cells.top; y < cells.bottom; ++y) {
      auto row = picture_.Row(y);
      for (int32_t x = cells.left; x < cells.right; ++x) row[size_t(x)] ^= 0xFFFFFF;
    }
  }
}

VerticalScrollBar RichTextView::Bar() const {
  return VerticalScrollBar(BarArea(), ContentHeight(), ViewHeight(), scroll_);
}

void RichTextView::RenderBar() const {
  if (bar_) Bar().Paint(picture_);
}

void RichTextView::PaintOnto(Bitmap& target) const {
  const Bitmap& picture = Picture();
  // A refused picture shows nothing.
  if (picture.Width() != ViewWidth() || picture.Height() != ViewHeight()) return;
  const Rect area = bounds_.Intersect(target.Bounds());
  for (int32_t y = area.top; y < area.bottom; ++y) {
    const auto from = picture.Row(y - bounds_.top);
    std::copy(from.begin() + (area.left - bounds_.left), from.begin() + (area.right - bounds_.left),
              target.Row(y).begin() + area.left);
  }
}

void RichTextView::OnMouseDown(MouseButton button, int32_t x, int32_t y) {
  drag_ = Drag::kNone;
  if (repeat_) repeat_->Disarm();
  pointer_ = {x, y};
  if (bar_ && BarArea().Contains({x, y})) {
    if (button == MouseButton::kLeft) PressBar({x, y});
    return;
  }
  // A press on a phrase follows it at once; only other presses select.
  if (on_mouse_down && on_mouse_down(button, x, y)) return;
  if (button == MouseButton::kLeft) PressText({x, y});
}

void RichTextView::PressText(Point p) {
  if (IsDoubleClick(p)) {
    const TextSelection word = WordAround(doc_.text, CharFromPos(p));
    Select(word.anchor, word.caret);
    return;
  }
  const int32_t at = CaretFromPos(p);
  Select(at, at);
  drag_ = Drag::kSelecting;
}

bool RichTextView::IsDoubleClick(Point p) {
  if (!loop_) return false;
  const int64_t now = loop_->NowMs();
  const bool twice = last_press_ms_ && now - *last_press_ms_ <= kDoubleClickMs &&
                     std::abs(int64_t{p.x} - last_press_.x) <= kDoubleClickSlop &&
                     std::abs(int64_t{p.y} - last_press_.y) <= kDoubleClickSlop;
  // A third press starts again.
  last_press_ms_ = twice ? std::nullopt : std::optional<int64_t>(now);
  last_press_ = p;
  return twice;
}

void RichTextView::PressBar(Point p) {
  using Part = VerticalScrollBar::Part;
  const VerticalScrollBar bar = Bar();
  held_part_ = bar.PartAt(p);
  if (held_part_ == Part::kNone) return;
  if (held_part_ == Part::kThumb) {
    drag_ = Drag::kThumb;
    thumb_grab_ = p.y - bar.Thumb().top;
    return;
  }
  StepBar(held_part_);
  drag_ = Drag::kHeldPart;
  if (repeat_) repeat_->Arm(kFirstRepeatMs, [this] { RepeatHeld(); });
}

void RichTextView::StepBar(VerticalScrollBar::Part part) {
  using Part = VerticalScrollBar::Part;
  switch (part) {
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
}

void RichTextView::RepeatHeld() {
  // The track pages on until the thumb reaches the pointer; an arrow while the pointer is on it.
  if (drag_ == Drag::kHeldPart && Bar().PartAt(pointer_) == held_part_) StepBar(held_part_);
  repeat_->SetInterval(kRepeatMs);
}

void RichTextView::OnMouseUp(MouseButton button, int32_t x, int32_t y) {
  if (button != MouseButton::kLeft) return;
  pointer_ = {x, y};
  drag_ = Drag::kNone;
  if (repeat_) repeat_->Disarm();
}

void RichTextView::OnMouseMove(int32_t x, int32_t y) {
  pointer_ = {x, y};
  switch (drag_) {
    case Drag::kSelecting:
      // Dragged past the top or the bottom, the text follows.
      if (y < 0) ScrollLines(-1);
      if (y >= ViewHeight()) ScrollLines(1);
      Select(selection_.anchor, CaretFromPos({x, y}));
      return;
    case Drag::kThumb:
      ScrollTo(int32_t(Bar().PositionForThumbAt(int64_t{y} - thumb_grab_)));
      return;
    case Drag::kHeldPart:
      return;
    case Drag::kNone:
      break;
  }
  over_bar_ = bar_ && BarArea().Contains({x, y});
  if (!over_bar_ && on_mouse_move) on_mouse_move(x, y);
}

void RichTextView::OnWheel(int32_t delta) {
  wheel_rest_ += std::clamp(delta, -(1 << 20), 1 << 20);
  const int32_t notches = wheel_rest_ / kWheelDelta;
  wheel_rest_ -= notches * kWheelDelta;
  ScrollLines(-notches * kWheelLines);
}

void RichTextView::OnKeyDown(uint16_t& key, KeyModifiers modifiers) {
  if (modifiers.ctrl && (key == kVkA || key == kVkC)) {
    if (key == kVkA) SelectAll();
    if (key == kVkC) Copy();
    key = 0;
    return;
  }
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
