// The mouse regions of the visible screen: hit test, hover, click and the delayed hint.
#include "display/display.hpp"
#include "sequence/engine_host.hpp"

namespace velmorant {

void TDisplay::ClearRegions() {
  HoverRegion = -1;
  Regions.clear();
}

void TDisplay::AddRegion(int32_t map, int32_t region) {
  Regions.push_back({map, region});
}

void TDisplay::RemoveRegion(int32_t map, int32_t region) {
  const TMyszReg wanted{map, region};
  for (size_t k = 0; k < Regions.size(); ++k) {
    if (Regions[k] != wanted) continue;
    if (int32_t(k) == HoverRegion) {
      // The map is going away: it is not told that the pointer left.
      HoverRegion = -1;
      HideRegionHint();
    } else if (int32_t(k) < HoverRegion) {
      --HoverRegion;
    }
    Regions.erase(Regions.begin() + std::ptrdiff_t(k));
    return;
  }
}

int32_t TDisplay::HitTest(int32_t x, int32_t y) const {
  int32_t result = -1;
  for (size_t i = 0; i < Regions.size(); ++i) {
    const auto r = host_.Controls().RegionRect(Regions[i].MapIndex, Regions[i].RegionIndex);
    if (!r) continue;
    // All four edges belong to the region.
    if (r->left <= x && x <= r->right && r->top <= y && y <= r->bottom) {
      result = int32_t(i);
      // The region already under the pointer keeps it while it contains it.
      if (result == HoverRegion) break;
    }
  }
  return result;
}

void TDisplay::EnterRegion(int32_t i) {
  const TMyszReg entry = Regions[size_t(i)];
  host_.Controls().PointerEntered(entry.MapIndex, entry.RegionIndex);
  ShowRegionHint(i);
}

void TDisplay::LeaveRegion(int32_t i) {
  HideRegionHint();
  const TMyszReg entry = Regions[size_t(i)];
  host_.Controls().PointerLeft(entry.MapIndex, entry.RegionIndex);
}

void TDisplay::ClickRegion(int32_t i) {
  HideRegionHint();
  const TMyszReg entry = Regions[size_t(i)];
  host_.Controls().Click(entry.MapIndex, entry.RegionIndex);
}

void TDisplay::ShowRegionHint(int32_t i) {
  const TMyszReg entry = Regions[size_t(i)];
  const std::string hint = host_.Controls().RegionHint(entry.MapIndex, entry.RegionIndex);
  if (hint.empty()) return;
  PageWindow& window = host_.Window();
  HintPanel& panel = window.Hint();
  panel.SetText(host_.ToUtf8(hint));
  const platform::Size size = panel.Size();
  const int32_t x = window.LastMouse().x;
  const int32_t y = window.LastMouse().y;
  const int32_t w = window.ClientSize().width;
  const int32_t left = x + size.width <= w ? x : w - size.width;
  const int32_t top = size.height <= y ? y - size.height : y;
  panel.MoveTo(left, top);
  window.TimerHint().Arm(HintDelayMs, [this] {
    PageWindow& win = host_.Window();
    win.TimerHint().Arm(HintShowMs, [this] { HideRegionHint(); });
    win.Hint().SetVisible(true);
    host_.Platform().Log().Write("hint", {{"op", "show"}, {"text", win.Hint().Text()}});
    host_.Platform().Loop().ProcessMessages();
  });
}

void TDisplay::HideRegionHint() {
  PageWindow& window = host_.Window();
  window.TimerHint().Disarm();
  if (!window.Hint().Visible()) return;
  window.Hint().SetVisible(false);
  host_.Platform().Log().Write("hint", {{"op", "hide"}, {"text", window.Hint().Text()}});
  PaintFromBuffer();
  host_.Platform().Loop().ProcessMessages();
}

}  // namespace velmorant
