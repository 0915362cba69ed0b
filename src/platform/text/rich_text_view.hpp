#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/memory_budget.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/rich_document.hpp"
#include "platform/text/rich_fonts.hpp"
#include "platform/text/rich_layout.hpp"
#include "platform/text/rich_selection.hpp"
#include "platform/text/scroll_bar.hpp"
#include "platform/window/clipboard.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// A borderless, read-only rich-text control over a window: the document laid out at the
// control's width on its background colour, scrolled vertically with a scroll bar (shown when the
// text is taller than the control), the mouse wheel and the arrow, page, Home and End keys.
// Mouse moves and presses over the text go to its owner's handlers in client coordinates; a
// press the owner does not take starts a selection, drawn inverted, which Ctrl+C copies to the
// clipboard. The bar's thumb is dragged, and its arrows and track repeat while held, on `loop`'s
// timers.
class RichTextView final : public ChildControl {
 public:
  // Without a loop nothing repeats and there are no double clicks; without a clipboard nothing
  // is copied. With a budget the control's picture is charged to it before it is allocated.
  explicit RichTextView(const FontEngine& fonts, EventLoop* loop = nullptr,
                        Clipboard* clipboard = nullptr, MemoryBudget* memory = nullptr);
  ~RichTextView() override;
  RichTextView(const RichTextView&) = delete;
  RichTextView& operator=(const RichTextView&) = delete;

  void SetDocument(RichDocument doc);
  const RichDocument& Document() const { return doc_; }
  // In the parent's client coordinates.
  void SetBounds(const Rect& bounds);
  void SetBackground(Pixel colour);
  void SetVisible(bool visible) { visible_ = visible; }
  void SetCursor(int16_t cursor) { cursor_ = cursor; }

  int32_t ScrollPosition() const { return scroll_; }
  int32_t MaxScroll() const;
  int32_t ContentHeight() const { return layout_ ? layout_->Height() : 0; }
  bool HasScrollBar() const { return bar_; }
  void ScrollTo(int32_t y);
  void ScrollLines(int32_t lines);
  void ScrollPages(int32_t pages);

  // EM_CHARFROMPOS: the character under a client point.
  int32_t CharFromPos(Point client) const;
  // The place between characters nearest a client point, where a press puts the caret.
  int32_t CaretFromPos(Point client) const;

  TextSelection Selection() const { return selection_; }
  void Select(int32_t anchor, int32_t caret);
  void SelectAll() { Select(0, int32_t(doc_.Length())); }
  // The selected text to the clipboard, as UTF-8; nothing when none is selected.
  void Copy() const;

  // Called with client coordinates. A press handler returns true when it took the press (a
  // phrase followed): no selection starts then.
  std::function<void(int32_t, int32_t)> on_mouse_move;
  std::function<bool(MouseButton, int32_t, int32_t)> on_mouse_down;
  // Told why, once, when the control's picture does not fit the budget: it then shows nothing
  // until its size changes or the budget has room again.
  std::function<void(const std::string&)> on_refused;

  // What the control shows, at its size; empty when its picture was refused.
  const Bitmap& Picture() const;

  // ChildControl.
  Rect Bounds() const override { return bounds_; }
  bool Visible() const override { return visible_; }
  void PaintOnto(Bitmap& target) const override;
  void OnMouseDown(MouseButton button, int32_t x, int32_t y) override;
  void OnMouseUp(MouseButton button, int32_t x, int32_t y) override;
  void OnMouseMove(int32_t x, int32_t y) override;
  void OnWheel(int32_t delta) override;
  void OnKeyDown(uint16_t& key, KeyModifiers modifiers) override;
  bool TakesFocus() const override { return true; }
  int16_t Cursor() const override { return over_bar_ ? int16_t(kCrArrow) : cursor_; }

  // The text stands this far in from the control's left and right edges.
  static constexpr int32_t kInset = 1;
  // A held arrow or track steps again after the first delay, then at every repeat.
  static constexpr int32_t kFirstRepeatMs = 500;
  static constexpr int32_t kRepeatMs = 50;
  // Two presses this close in time and place are a double click.
  static constexpr int64_t kDoubleClickMs = 500;
  static constexpr int32_t kDoubleClickSlop = 2;

 private:
  void LayOut();
  int32_t ViewHeight() const { return int32_t(bounds_.Height()); }
  int32_t ViewWidth() const { return int32_t(bounds_.Width()); }
  Rect TextArea() const;
  Rect BarArea() const;
  void Render() const;
  bool ChargePicture(int32_t w, int32_t h) const;
  void RenderRows(int32_t top, int32_t bottom) const;
  void InvertSelection(const Rect& rows) const;
  void RenderBar() const;
  VerticalScrollBar Bar() const;
  void PressBar(Point p);
  void StepBar(VerticalScrollBar::Part part);
  void RepeatHeld();
  void PressText(Point p);
  bool IsDoubleClick(Point p);

  // What the left button held down is doing.
  enum class Drag { kNone, kSelecting, kThumb, kHeldPart };

  const FontEngine& engine_;
  EventLoop* loop_;
  Clipboard* clipboard_;
  MemoryBudget* memory_;
  std::unique_ptr<Timer> repeat_;
  TextSelection selection_;
  Drag drag_ = Drag::kNone;
  VerticalScrollBar::Part held_part_ = VerticalScrollBar::Part::kNone;
  int32_t thumb_grab_ = 0;  // from the thumb's top to where it was pressed
  Point pointer_;
  std::optional<int64_t> last_press_ms_;
  Point last_press_;
  RichDocument doc_;
  std::unique_ptr<RichFonts> fonts_;
  std::unique_ptr<RichLayout> layout_;
  Rect bounds_;
  Pixel background_ = kWhite;
  bool visible_ = false;
  bool bar_ = false;
  bool over_bar_ = false;
  int16_t cursor_ = kCrArrow;
  int32_t scroll_ = 0;
  int32_t wheel_rest_ = 0;

  mutable Bitmap picture_;
  mutable MemoryBudget::Charge charge_;
  mutable bool rendered_ = false;
  // The budget's use when the picture was last refused: it is tried again only once less is held
  // (or at another size), and the owner is told only the first time.
  mutable std::optional<uint64_t> refused_at_;
  mutable bool warned_ = false;
};

}  // namespace velmorant::platform
