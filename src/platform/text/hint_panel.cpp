#include "platform/text/hint_panel.hpp"

#include <algorithm>
#include <limits>

#include "platform/gfx/colour.hpp"
#include "platform/text/draw_text.hpp"

namespace velmorant::platform {

namespace {

// The label's own DrawText flags: tabs expanded, words wrapped, accelerators shown.
constexpr uint32_t kLabelFormat = kDtExpandTabs | kDtWordBreak;

std::string_view MeasuredText(std::string_view utf8) {
  return utf8.empty() ? " " : utf8;
}

}  // namespace

Size HintLabelSize(const Font& font, std::string_view utf8, int32_t max_width) {
  const Rect r = CalcTextRect(font, MeasuredText(utf8), Rect{0, 0, max_width, 0}, kLabelFormat);
  return {int32_t(std::max<int64_t>(0, r.Width())), int32_t(std::max<int64_t>(0, r.Height()))};
}

void DrawHintLabel(Bitmap& target, Point at, const Font& font, std::string_view utf8,
                   int32_t max_width, Pixel text_colour, Pixel background) {
  const Size size = HintLabelSize(font, utf8, max_width);
  Rect label{
      at.x, at.y,
      int32_t(std::min<int64_t>(int64_t{at.x} + size.width, std::numeric_limits<int32_t>::max())),
      int32_t(std::min<int64_t>(int64_t{at.y} + size.height, std::numeric_limits<int32_t>::max()))};
  const Rect visible = label.Intersect(target.Bounds());
  for (int32_t y = visible.top; y < visible.bottom; ++y) {
    auto row = target.Row(y);
    std::fill(row.begin() + visible.left, row.begin() + visible.right, background);
  }
  DrawText(target, font, utf8, label, kLabelFormat, text_colour);
}

Bitmap RenderHintPanel(const Font& font, std::string_view utf8, int32_t max_label_width) {
  const Size label = HintLabelSize(font, utf8, max_label_width);
  const int64_t inset2 = 2 * kHintLabelInset;
  const int64_t width = std::min<int64_t>(int64_t{label.width} + inset2, 1 << 15);
  const int64_t height = std::min<int64_t>(int64_t{label.height} + inset2,
                                           kMaxBitmapPixels / std::max<int64_t>(1, width));
  Bitmap panel(int32_t(width), int32_t(height), ToPixel(kClInfoBk));
  DrawHintLabel(panel, {kHintLabelInset, kHintLabelInset}, font, utf8, max_label_width, kBlack,
                ToPixel(kClInfoBk));
  return panel;
}

}  // namespace velmorant::platform
