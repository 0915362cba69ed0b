#include "display/transitions.hpp"

#include <algorithm>
#include <stdexcept>

#include "display/rect_arithmetic.hpp"
#include "display/render_helpers.hpp"
#include "display/transition_budget.hpp"
#include "platform/gfx/canvas_state.hpp"

namespace velmorant {

using platform::Bitmap;
using platform::Canvas;
using platform::CopyMode;
using platform::Rect;

namespace {

// Step counts beyond these only make an effect slower than anyone can watch; capping them keeps
// a broken definition from hanging the player or exhausting memory on the mosaic's block list.
// Either fits in what one page change may animate.
constexpr auto kMaxSteps = int32_t(TransitionBudget::kMaxSteps);
constexpr int32_t kMaxMosaicSide = 64;
static_assert(kMaxMosaicSide * kMaxMosaicSide <= kMaxSteps);

constexpr int32_t kMosaic = 5;

bool InTable(const std::vector<TPrz>& transitions, int32_t t) {
  return t >= 0 && size_t(t) < transitions.size();
}

// A plain copy whatever mode the canvas is in; the canvas keeps its mode.
void CopyPlain(Canvas& target, const Rect& dest, const Bitmap& source, const Rect& src) {
  const platform::CanvasStateGuard keep(target);
  target.copy_mode = CopyMode::kSrcCopy;
  target.CopyRect(dest, source, src);
}

}  // namespace

bool TransitionAnimates(const std::vector<TPrz>& transitions, int32_t t) {
  return InTable(transitions, t) && transitions[size_t(t)].Kind != 0;
}

TRender::TRender(DrawingContext& display, int32_t transition, const Rect& dest,
                 std::optional<Rect> sourceRect, const Bitmap* source, const Bitmap* mask)
    : display_(display), source_(source), mask_(mask) {
  if (source == nullptr) throw std::invalid_argument("TRender needs a source picture");
  SourceRect = sourceRect.value_or(source->Bounds());
  const auto& transitions = display.Transitions();
  if (InTable(transitions, transition)) {
    const TPrz& record = transitions[size_t(transition)];
    Kind = int8_t(record.Kind);
    Steps = std::clamp(record.Steps, 1, Kind == kMosaic ? kMaxMosaicSide : kMaxSteps);
    DelayMs = record.DelayMs;
  }
  StepCount = Steps;
  SourceSize = MakeRect(0, 0, SourceRect.Width(), SourceRect.Height());
  DestRect = dest;
  SetUpGeometry();
  WorkRect = MakeRect(0, 0, WorkArea.Width(), WorkArea.Height());

  const int64_t width = std::max<int64_t>(WorkRect.Width(), 0);
  const int64_t height = std::max<int64_t>(WorkRect.Height(), 0);
  direct_ = !FitsBitmap(width, height);
}

bool TRender::PrepareWorkBitmaps() {
  // Allocated on the first animated run only: most renderers never animate, and a full-screen
  // work picture per page costs a page change several milliseconds and 8 MiB at 1080p.
  const auto width = int32_t(std::max<int64_t>(WorkRect.Width(), 0));
  const auto height = int32_t(std::max<int64_t>(WorkRect.Height(), 0));
  const bool work_ready = WorkBitmap.Width() == width && WorkBitmap.Height() == height;
  const bool saved_ready =
      !RestoreBackground || (SavedBitmap.Width() == width && SavedBitmap.Height() == height);
  if (work_ready && saved_ready) return true;
  WorkBitmap = Bitmap();
  SavedBitmap = Bitmap();
  work_charge_.Release();
  const uint64_t bytes = platform::PictureBytes(width, height) * (RestoreBackground ? 2 : 1);
  auto charge = display_.Memory().Reserve(bytes);
  if (!charge) return false;
  work_charge_ = std::move(*charge);
  WorkBitmap.Resize(width, height);
  if (RestoreBackground) SavedBitmap.Resize(width, height);
  return true;
}

void TRender::SetUpGeometry() {
  const Rect& d = DestRect;
  const int64_t w = d.Width();
  const int64_t h = d.Height();
  const auto sw = double(SourceRect.Width());
  const auto sh = double(SourceRect.Height());
  const auto n = double(Steps);
  const platform::Size client = display_.ClientSize();
  auto& g = Geometry;

  WorkArea = d;
  FinalRect = MakeRect(0, 0, w, h);
  switch (Kind) {
    case 1:
    case 2:
      g = {sw, sh / n, double(w), double(h) / n};
      break;
    case 3:
    case 4:
      g = {sw / n, sh, double(w) / n, double(h)};
      break;
    case kMosaic:
      g = {sw / n, sh / n, double(w) / n, double(h) / n};
      StepCount = Steps * Steps;
      break;
    case 6:
      WorkArea = {0, d.top, d.right, d.bottom};
      FinalRect = MakeRect(d.left, 0, d.right, h);
      g = {double(-w), double(d.right) / n, double(w), 0};
      RestoreBackground = true;
      break;
    case 7: {
      const int64_t travel = int64_t{client.width} - d.left;
      WorkArea = {d.left, d.top, client.width, d.bottom};
      g = {double(travel), double(travel) / n, double(w), 0};
      RestoreBackground = true;
      break;
    }
    case 8:
      WorkArea = {d.left, 0, d.right, d.bottom};
      FinalRect = MakeRect(0, d.top, w, d.bottom);
      g = {double(-h), double(d.bottom) / n, double(h), 0};
      RestoreBackground = true;
      break;
    case 9: {
      const int64_t travel = int64_t{client.height} - d.top;
      WorkArea = {d.left, d.top, d.right, client.height};
      g = {double(travel), double(travel) / n, double(h), 0};
      RestoreBackground = true;
      break;
    }
    case 10:
      g = {double(w / 2), double(h / 2), (double(w) * 0.5) / n, (double(h) * 0.5) / n};
      RestoreBackground = true;
      break;
    case 11:
      g = {double(w / 2), 0, (double(w) * 0.5) / n, 0};
      RestoreBackground = true;
      break;
    case 12:
      g = {0, double(h / 2), 0, (double(h) * 0.5) / n};
      RestoreBackground = true;
      break;
    default:
      break;
  }
}

bool TRender::Execute() {
  StepIndex = 0;
  if (Busy) {
    // A nested call: this renderer draws at once from now on.
    Kind = 0;
    RestoreBackground = false;
  }
  Busy = true;
  bool ok = true;
  try {
    Run();
  } catch (const std::length_error&) {
    // A work picture too large to create; running out of memory is not this renderer's to hide.
    ok = false;
  }
  Busy = false;
  return ok;
}

void TRender::Run() {
  const bool on_window = !display_.IsBackBufferCurrent();
  if (direct_ || Kind == 0 || !on_window || !display_.AdmitAnimation(StepCount, DelayMs)) {
    // Without steps the work picture would only carry the surface through one masked copy and
    // back: drawing straight onto the surface gives the same pixels, as the stretch clips per
    // destination pixel.
    Blit(DestRect, SourceRect, display_.CurrentCanvas());
    if (on_window) Blit(DestRect, SourceRect, display_.BackBufferCanvas());
    return;
  }
  // Work pictures the memory budget refuses: the picture comes at once, as without steps.
  if (!PrepareWorkBitmaps()) {
    Blit(DestRect, SourceRect, display_.CurrentCanvas());
    Blit(DestRect, SourceRect, display_.BackBufferCanvas());
    return;
  }
  if (Kind == kMosaic) RemainingBlocks.FillSequence(StepCount);
  const Bitmap& surface = display_.CurrentCanvas().Target();
  if (RestoreBackground) Canvas(SavedBitmap).CopyRect(WorkRect, surface, WorkArea);
  Canvas work(WorkBitmap);
  // An animation over the saved background draws straight on the window (see DrawOverBackground),
  // so the work bitmap is left alone then.
  bool work_filled = false;
  if (!RestoreBackground) {
    work.CopyRect(WorkRect, surface, WorkArea);
    work_filled = true;
  }
  while (Step()) ++StepIndex;
  if (RestoreBackground) {
    DrawOverBackground(FinalRect, SourceSize);
  } else {
    // A nested Execute may have turned an effect over the saved background into steps through
    // the work picture: it must hold the surface before it is shown.
    if (!work_filled) work.CopyRect(WorkRect, display_.CurrentCanvas().Target(), WorkArea);
    Blit(FinalRect, SourceSize, work);
    PresentWork(WorkRect);
  }
  Blit(DestRect, SourceSize, display_.BackBufferCanvas());
}

bool TRender::Step() {
  const int32_t i = StepIndex;
  if (i >= StepCount) return false;
  const auto& g = Geometry;
  const double di = i;
  Rect s;
  Rect d;
  switch (Kind) {
    case 1:
      s = {0, TruncToInt32(di * g[1]), TruncToInt32(g[0]), TruncToInt32((di + 1) * g[1])};
      d = {0, TruncToInt32(di * g[3]), TruncToInt32(g[2]), TruncToInt32((di + 1) * g[3])};
      break;
    case 2: {
      const double n = double(StepCount) - i;
      s = {0, TruncToInt32((n - 1) * g[1]), TruncToInt32(g[0]), TruncToInt32(n * g[1])};
      d = {0, TruncToInt32((n - 1) * g[3]), TruncToInt32(g[2]), TruncToInt32(n * g[3])};
      break;
    }
    case 3:
      s = {TruncToInt32(di * g[0]), 0, TruncToInt32((di + 1) * g[0]), TruncToInt32(g[1])};
      d = {TruncToInt32(di * g[2]), 0, TruncToInt32((di + 1) * g[2]), TruncToInt32(g[3])};
      break;
    case 4: {
      const double n = double(StepCount) - i;
      s = {TruncToInt32((n - 1) * g[0]), 0, TruncToInt32(n * g[0]), TruncToInt32(g[1])};
      d = {TruncToInt32((n - 1) * g[2]), 0, TruncToInt32(n * g[2]), TruncToInt32(g[3])};
      break;
    }
    case kMosaic: {
      const int32_t remaining = RemainingBlocks.Count();
      if (remaining == 0) break;
      const auto k = size_t(display_.Random() % uint32_t(remaining));
      const int32_t block = RemainingBlocks[k];
      RemainingBlocks.RemoveAt(k);
      const double row = block / Steps;
      const double column = block % Steps;
      s.left = TruncToInt32(column * g[0]);
      s.top = TruncToInt32(row * g[1]);
      s.right = TruncToInt32(s.left + g[0] + 1.0);
      s.bottom = TruncToInt32(s.top + g[1] + 1.0);
      d.left = TruncToInt32(column * g[2]);
      d.top = TruncToInt32(row * g[3]);
      d.right = TruncToInt32(d.left + g[2] + 1.0);
      d.bottom = TruncToInt32(d.top + g[3] + 1.0);
      break;
    }
    case 6:
    case 7:
      s = SourceSize;
      d = WorkRect;
      d.left = TruncToInt32(Kind == 6 ? (di + 1) * g[1] + g[0] : g[0] - (di + 1) * g[1]);
      d.right = TruncToInt32(d.left + g[2]);
      break;
    case 8:
    case 9:
      s = SourceSize;
      d = WorkRect;
      d.top = TruncToInt32(Kind == 8 ? (di + 1) * g[1] + g[0] : g[0] - (di + 1) * g[1]);
      d.bottom = TruncToInt32(d.top + g[2]);
      break;
    case 10:
      s = SourceSize;
      d = {TruncToInt32(g[0] - di * g[2]), TruncToInt32(g[1] - di * g[3]),
           TruncToInt32(di * g[2] + g[0]), TruncToInt32(di * g[3] + g[1])};
      break;
    case 11:
      s = SourceSize;
      d = WorkRect;
      d.left = TruncToInt32(g[0] - di * g[2]);
      d.right = TruncToInt32(di * g[2] + g[0]);
      break;
    case 12:
      s = SourceSize;
      d = WorkRect;
      d.top = TruncToInt32(g[1] - di * g[3]);
      d.bottom = TruncToInt32(di * g[3] + g[1]);
      break;
    default:
      break;  // no effect: an empty step that still shows and pauses
  }

  if (RestoreBackground) {
    DrawOverBackground(d, s);
  } else {
    // Strips and blocks change only their own rectangle of the work picture; the surface already
    // shows the rest.
    Canvas work(WorkBitmap);
    Blit(d, s, work);
    PresentWork(d);
  }
  display_.Sleep(std::max(DelayMs, 0));
  return true;
}

Rect TRender::CoveredByBlit(const Rect& d, const Rect& s) const {
  // Only a plain copy of the whole picture is sure to overwrite every pixel of d.
  if (mask_ != nullptr || s != SourceSize || SourceSize.IsEmpty()) return {};
  if (SourceSize.right > source_->Width() || SourceSize.bottom > source_->Height()) return {};
  return d.Intersect(SavedBitmap.Bounds());
}

// The steps of these kinds restore the saved background into the work bitmap, draw the picture
// over it and copy the whole work bitmap to the window. Doing the same straight on the window,
// clipped to the work area, gives the same pixels with a third of the copying; restoring skips
// the part the picture is sure to overwrite.
void TRender::DrawOverBackground(const Rect& d, const Rect& s) {
  Canvas& screen = display_.CurrentCanvas();
  platform::CanvasStateGuard keep(screen);
  keep.ClipTo(WorkArea);
  const int64_t dx = WorkArea.left;
  const int64_t dy = WorkArea.top;
  const Rect covered = CoveredByBlit(d, s);
  if (covered.IsEmpty() || WorkRect != SavedBitmap.Bounds()) {
    CopyPlain(screen, WorkArea, SavedBitmap, WorkRect);
  } else {
    const Rect all = WorkRect;
    for (const Rect& band : {Rect{all.left, all.top, all.right, covered.top},
                             Rect{all.left, covered.bottom, all.right, all.bottom},
                             Rect{all.left, covered.top, covered.left, covered.bottom},
                             Rect{covered.right, covered.top, all.right, covered.bottom}}) {
      if (!band.IsEmpty()) CopyPlain(screen, OffsetSaturated(band, dx, dy), SavedBitmap, band);
    }
  }
  Blit(OffsetSaturated(d, dx, dy), s, screen);
}

void TRender::Blit(const Rect& dest, const Rect& src, Canvas& target) {
  CopyMasked(dest, src, target, *source_, mask_);
}

void TRender::PresentWork(const Rect& part) {
  CopyPlain(display_.CurrentCanvas(), OffsetSaturated(part, WorkArea.left, WorkArea.top),
            WorkBitmap, part);
}

}  // namespace velmorant
