// The mouse regions of the visible screen: hit test, hover, click and the delayed hint.
#include "app/player.hpp"
#include "display/display.hpp"

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
    const auto r = player_.maps.RegionRect(Regions[i].MapIndex, Regions[i].RegionIndex);
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
  player_.maps.PointerEntered(entry.MapIndex, entry.RegionIndex);
  ShowRegionHint(i);
}

void TDisplay::LeaveRegion(int32_t i) {
  HideRegionHint();
  const TMyszReg entry = Regions[size_t(i)];
  player_.maps.PointerLeft(entry.MapIndex, entry.RegionIndex);
}

void TDisplay::ClickRegion(int32_t i) {
  HideRegionHint();
  const TMyszReg entry = Regions[size_t(i)];
  player_.maps.Click(entry.MapIndex, entry.RegionIndex);
}

void TDisplay::ShowRegionHint(int32_t i) {
  const TMyszReg entry = Regions[size_t(i)];
  const std::string hint = player_.maps.RegionHint(entry.MapIndex, entry.RegionIndex);
  if (hint.empty()) return;
  Tffmexec& window = *player_.window;
  HintPanel& panel = window.Hint();
  panel.SetText(player_.ToUtf8(hint));
  const platform::Size size = panel.Size();
  const int32_t x = window.LastMouseX;
  const int32_t y = window.LastMouseY;
  const int32_t w = window.ClientSize().width;
  const int32_t left = x + size.width <= w ? x : w - size.width;
  const int32_t top = size.height <= y ? y - size.height : y;
  panel.MoveTo(left, top);
  window.TimerHint().Arm(HintDelayMs, [this] {
    Tffmexec& win = *player_.window;
    win.TimerHint().Arm(HintShowMs, [this] { HideRegionHint(); });
    win.Hint().SetVisible(true);
    player_.backend.Log().Write("hint", {{"op", "show"}, {"text", win.Hint().Text()}});
    player_.backend.Loop().ProcessMessages();
  });
}

void TDisplay::HideRegionHint() {
  Tffmexec& window = *player_.window;
  window.TimerHint().Disarm();
  if (!window.Hint().Visible()) return;
  window.Hint().SetVisible(false);
  player_.backend.Log().Write("hint", {{"op", "hide"}, {"text", window.Hint().Text()}});
  PaintFromBuffer();
  player_.backend.Loop().ProcessMessages();
}

}  // namespace velmorant
