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

int32_t TDisplay::FindAgain(const TMyszReg& entry, int32_t i, bool last) const {
  if (i >= 0 && size_t(i) < Regions.size() && Regions[size_t(i)] == entry) return i;
  int32_t found = -1;
  for (size_t k = 0; k < Regions.size(); ++k) {
    if (Regions[k] != entry) continue;
    found = int32_t(k);
    if (!last) break;
  }
  return found;
}

void TDisplay::RemoveRegion(int32_t map, int32_t region) {
  const TMyszReg wanted{map, region};
  int32_t k = FindAgain(wanted, -1);
  if (k == -1) return;
  if (k == HoverRegion) {
    // The map is going away: it is not told that the pointer left.
    HoverRegion = -1;
    HideRegionHint();
    k = FindAgain(wanted, k);
    if (k == -1) return;
  } else if (k < HoverRegion) {
    --HoverRegion;
  }
  Regions.erase(Regions.begin() + std::ptrdiff_t(k));
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

int16_t TDisplay::PointerMove(int32_t x, int32_t y) {
  int32_t h = HitTest(x, y);
  if (h == -1) {
    if (HoverRegion != -1) {
      LeaveRegion(HoverRegion);
      HoverRegion = -1;
    }
    return platform::kCrArrow;
  }
  if (h != HoverRegion) {
    const TMyszReg target = Regions[size_t(h)];
    if (HoverRegion != -1) {
      LeaveRegion(HoverRegion);
      // The region under the pointer may have gone while the hint was hidden.
      h = FindAgain(target, h, true);
    }
    if (h == -1) {
      HoverRegion = -1;
      return platform::kCrArrow;
    }
    EnterRegion(h);
    HoverRegion = h;
  }
  return platform::kCrMultiDrag;
}

void TDisplay::EnterRegion(int32_t i) {
  if (page_stopped_) return;
  const TMyszReg entry = Regions[size_t(i)];
  host_.Controls().PointerEntered(entry.MapIndex, entry.RegionIndex);
  ShowRegionHint(i);
}

void TDisplay::LeaveRegion(int32_t i) {
  const TMyszReg entry = Regions[size_t(i)];
  HideRegionHint();
  // A region whose map hid itself meanwhile is not drawn again.
  if (FindAgain(entry, i) == -1) return;
  host_.Controls().PointerLeft(entry.MapIndex, entry.RegionIndex);
}

void TDisplay::ClickRegion(int32_t i) {
  const TMyszReg entry = Regions[size_t(i)];
  HideRegionHint();
  // A click queued behind the event that left the page: nothing would end what it started.
  if (page_stopped_) return;
  // A button that went away before the click was handled does nothing.
  if (FindAgain(entry, i) == -1) return;
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
