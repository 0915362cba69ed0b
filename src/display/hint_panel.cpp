#include "display/hint_panel.hpp"

#include "platform/gfx/canvas.hpp"
#include "platform/text/hint_panel.hpp"

namespace velmorant {

void HintPanel::SetText(const std::string& text) {
  text_ = text;
  picture_ = platform::RenderHintPanel(font_, text_, kMaxLabelWidth);
}

void HintPanel::PaintOnto(platform::Bitmap& target) const {
  platform::Canvas canvas(target);
  canvas.Draw(left_, top_, picture_);
}

}  // namespace velmorant
