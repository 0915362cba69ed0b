#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "definition/actions.hpp"
#include "display/drawing_context.hpp"
#include "display/mouse_regions.hpp"
#include "display/transition_budget.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/canvas.hpp"

namespace velmorant {

class EngineHost;

// An entry of the mouse-region list: a region of a map that is on screen.
struct TMyszReg {
  int32_t MapIndex = -1;
  int32_t RegionIndex = -1;
  friend bool operator==(const TMyszReg&, const TMyszReg&) = default;
};

// The display engine: the off-screen picture, the current drawing target, the pending action, the
// active shortcuts and mouse regions, and the page phases.
class TDisplay final : public DrawingContext, public MouseRegions {
 public:
  explicit TDisplay(EngineHost& host);

  // Runs the presentation from `startPage` until it ends; the modal result.
  int32_t RunPresentation(int32_t startPage);

  // Page operations, called by the presentation window's handlers.
  void ShowPage();
  void ComposePage();
  void StartPage();
  void ActivatePage();
  void StopPage();
  void HidePage();
  bool ApplyAction();
  // The first page, at the window's first paint: started, activated, and the next one preloaded.
  void StartFirstPage();
  void PreloadNextPage();
  void PaintFromBuffer();

  // Mouse regions.
  void ClearRegions();
  void AddRegion(int32_t map, int32_t region) override;
  void RemoveRegion(int32_t map, int32_t region) override;
  int32_t HitTest(int32_t x, int32_t y) const;
  // The pointer-move procedure for a point the window has not seen last: hover enter and leave;
  // the cursor the window should show.
  int16_t PointerMove(int32_t x, int32_t y);
  void EnterRegion(int32_t i);
  void LeaveRegion(int32_t i);
  // Nothing once the page has stopped.
  void ClickRegion(int32_t i);
  void ShowRegionHint(int32_t i);
  void HideRegionHint();

  // The off-screen picture follows the window's size.
  void ResizeBackBuffer(platform::Size size);

  // DrawingContext.
  platform::Canvas& CurrentCanvas() override { return *Canvas; }
  platform::Canvas& BackBufferCanvas() override { return back_canvas_; }
  bool IsBackBufferCurrent() const override { return Canvas == &back_canvas_; }
  platform::Size ClientSize() const override;
  void Sleep(int ms) override;
  bool AdmitAnimation(int32_t steps, int32_t delay_ms) override;
  const std::vector<TPrz>& Transitions() const override;
  const std::vector<TRam>& FrameStyles() const override;
  SharedPicture LoadPattern(const std::string& fileName) override;
  platform::MemoryBudget& Memory() override;
  uint32_t Random() override { return uint32_t(random_()); }

  int32_t CurrentPage = 0;
  int32_t PageCount = 0;
  int32_t HintDelayMs = 1000;
  int32_t HintShowMs = 2000;
  platform::Bitmap BackBuffer;
  platform::Canvas* Canvas = nullptr;
  TAkc PendingAction;
  TIntWektor ActiveKeys;
  std::vector<TMyszReg> Regions;
  bool AltAssets = false;
  int32_t HoverRegion = -1;
  int32_t CurrentSound = -1;

 private:
  // Hiding the hint handles waiting messages, which may add or remove regions (a map's hide
  // timer): the index of `entry` afterwards, preferring `i` when it still holds it, else the
  // first (or, with `last`, the last) entry equal to it; -1 when it is gone.
  int32_t FindAgain(const TMyszReg& entry, int32_t i, bool last = false) const;
  void UseWindowCanvas();
  void UseBackBufferCanvas() { Canvas = &back_canvas_; }

  EngineHost& host_;
  platform::Canvas back_canvas_{BackBuffer};
  std::optional<platform::Canvas> window_canvas_;
  std::minstd_rand random_;  // fixed seed: a headless run is reproducible
  TransitionBudget transition_budget_;
  // The event whose transitions the budget counts: each new one starts afresh.
  uint64_t budget_event_ = 0;
  // Between the page's Stop and the next page's Show its regions start nothing.
  bool page_stopped_ = false;
};

}  // namespace velmorant
