#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/text/font_engine.hpp"
#include "platform/text/rich_document.hpp"
#include "platform/text/rich_fonts.hpp"
#include "platform/text/rich_layout.hpp"
#include "platform/window/window.hpp"

namespace velmorant::platform {

// A borderless, read-only rich-text control over a window: the document laid out at the
// control's width on its background colour, scrolled vertically with a scroll bar (shown when the
// text is taller than the control), the mouse wheel and the arrow, page, Home and End keys.
// Mouse moves and presses over the text go to its owner's handlers in client coordinates.
class RichTextView final : public ChildControl {
 public:
  explicit RichTextView(const FontEngine& fonts) : engine_(fonts) {}
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

  // Called with client coordinates.
  std::function<void(int32_t, int32_t)> on_mouse_move;
  std::function<void(MouseButton, int32_t, int32_t)> on_mouse_down;

  // What the control shows, at its size.
  const Bitmap& Picture() const;

  // ChildControl.
  Rect Bounds() const override { return bounds_; }
  bool Visible() const override { return visible_; }
  void PaintOnto(Bitmap& target) const override;
  void OnMouseDown(MouseButton button, int32_t x, int32_t y) override;
  void OnMouseMove(int32_t x, int32_t y) override;
  void OnWheel(int32_t delta) override;
  void OnKeyDown(uint16_t& key) override;
  int16_t Cursor() const override { return over_bar_ ? int16_t(kCrArrow) : cursor_; }

  // The text stands this far in from the control's left and right edges.
  static constexpr int32_t kInset = 1;

 private:
  void LayOut();
  int32_t ViewHeight() const { return int32_t(bounds_.Height()); }
  int32_t ViewWidth() const { return int32_t(bounds_.Width()); }
  Rect TextArea() const;
  Rect BarArea() const;
  void Render() const;
  void RenderRows(int32_t top, int32_t bottom) const;
  void RenderBar() const;

  const FontEngine& engine_;
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
  mutable bool rendered_ = false;
};

}  // namespace velmorant::platform
