#pragma once

#include <functional>
#include <string>

#include "platform/gfx/bitmap.hpp"
#include "platform/text/font.hpp"
#include "platform/window/window.hpp"

namespace velmorant {

// The hint panel of the presentation window: a borderless panel in the info-tip colour holding one
// word-wrapped label at (2, 2), 4 pixels larger than the label. Clicks on it are the window's.
class HintPanel final : public platform::ChildControl {
 public:
  using ClickForward = std::function<void(platform::MouseButton, int32_t, int32_t)>;

  HintPanel(platform::Font font, ClickForward forward)
      : font_(std::move(font)), forward_(std::move(forward)) {}

  // The label's text (UTF-8); the panel takes the label's size plus 4.
  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  platform::Size Size() const { return picture_.GetSize(); }
  void MoveTo(int32_t left, int32_t top) {
    left_ = left;
    top_ = top;
  }
  void SetVisible(bool visible) { visible_ = visible; }

  platform::Rect Bounds() const override {
    return {left_, top_, left_ + picture_.Width(), top_ + picture_.Height()};
  }
  bool Visible() const override { return visible_; }
  void PaintOnto(platform::Bitmap& target) const override;
  void OnMouseDown(platform::MouseButton button, int32_t x, int32_t y) override {
    if (forward_) forward_(button, x + left_, y + top_);
  }

  // The widest a label grows before its words wrap.
  static constexpr int32_t kMaxLabelWidth = 300;

 private:
  platform::Font font_;
  ClickForward forward_;
  std::string text_;
  platform::Bitmap picture_;
  int32_t left_ = 0;
  int32_t top_ = 0;
  bool visible_ = false;
};

}  // namespace velmorant
