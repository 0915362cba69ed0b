#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "definition/actions.hpp"
#include "definition/records_display.hpp"
#include "display/drawing_context.hpp"
#include "platform/gfx/bitmap.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/gfx/geometry.hpp"
#include "platform/memory_budget.hpp"

namespace velmorant {

// True when transition `t` exists and has an effect: elements with such an appear transition are
// not composed into the back buffer but appear during the Start phase.
bool TransitionAnimates(const std::vector<TPrz>& transitions, int32_t t);

// Carries one picture into one rectangle of the current surface with one transition. On the
// window the effect is animated step by step (pausing after each step) and the final picture also
// goes into the back buffer; on the back buffer it is drawn at once. Borrows the source and mask.
class TRender {
 public:
  // `transition` indexes the display's transitions; -1 or any index outside means no effect.
  // A null `source` is a programming error: std::invalid_argument.
  TRender(DrawingContext& display, int32_t transition, const platform::Rect& dest,
          std::optional<platform::Rect> sourceRect, const platform::Bitmap* source,
          const platform::Bitmap* mask);

  TRender(const TRender&) = delete;
  TRender& operator=(const TRender&) = delete;

  // Replays the whole effect; false only when drawing failed (the failure is swallowed).
  bool Execute();

  int32_t EffectKind() const { return Kind; }
  int32_t TotalSteps() const { return StepCount; }

 private:
  void SetUpGeometry();
  void Run();
  // false when the memory budget refuses them.
  bool PrepareWorkBitmaps();
  bool Step();
  // One composition of a kind that restores the background: the saved background, then the
  // picture's s drawn into d (work-area coordinates), shown on the current surface.
  void DrawOverBackground(const platform::Rect& d, const platform::Rect& s);
  platform::Rect CoveredByBlit(const platform::Rect& d, const platform::Rect& s) const;
  void Blit(const platform::Rect& dest, const platform::Rect& src, platform::Canvas& target);
  void PresentWork(const platform::Rect& part);

  DrawingContext& display_;
  const platform::Bitmap* source_;
  const platform::Bitmap* mask_;
  // The work area is too large to hold: the picture is drawn without an effect.
  bool direct_ = false;

  bool RestoreBackground = false;
  bool Busy = false;
  std::array<double, 4> Geometry{};
  int32_t StepIndex = 0;
  int32_t StepCount = 1;
  int32_t Steps = 1;
  int32_t Kind = 0;
  int32_t DelayMs = 0;
  platform::Rect WorkArea;
  platform::Rect WorkRect;
  platform::Rect SourceRect;
  platform::Rect SourceSize;
  platform::Rect DestRect;
  platform::Rect FinalRect;
  platform::Bitmap SavedBitmap;
  platform::Bitmap WorkBitmap;
  platform::MemoryBudget::Charge work_charge_;  // for both work pictures
  TIntWektor RemainingBlocks;
};

}  // namespace velmorant
