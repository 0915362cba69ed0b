#include "display/display.hpp"

#include <algorithm>

#include "display/hourglass.hpp"
#include "platform/film/film_player.hpp"
#include "sequence/engine_host.hpp"
#include "sequence/media.hpp"
#include "sequence/screens.hpp"

namespace velmorant {

TDisplay::TDisplay(EngineHost& host) : host_(host) {
  window_canvas_.emplace(host_.Window().Surface());
  ResizeBackBuffer(host_.Window().ClientSize());
  Canvas = &back_canvas_;
}

void TDisplay::ResizeBackBuffer(platform::Size size) {
  BackBuffer.Resize(size.width, size.height);
}

void TDisplay::UseWindowCanvas() {
  Canvas = &*window_canvas_;
}

platform::Size TDisplay::ClientSize() const {
  return host_.Window().ClientSize();
}

void TDisplay::Sleep(int ms) {
  host_.Window().Present();
  platform::Clock& clock = host_.Platform().GetClock();
  const int64_t until = clock.NowMs() + std::max(ms, 0);
  // A playing film keeps moving through the pause, as it did when it drew itself: its due
  // pictures are shown, and nothing else runs.
  platform::FilmPlayer& film = host_.Film();
  for (std::optional<int64_t> next = film.DrawDuePictures(); next && *next < until;
       next = film.DrawDuePictures()) {
    clock.Sleep(std::max<int64_t>(*next - clock.NowMs(), 1));
  }
  clock.Sleep(until - clock.NowMs());
}

bool TDisplay::AdmitAnimation(int32_t steps, int32_t delay_ms) {
  const uint64_t event = host_.Platform().Loop().Dispatched();
  if (event != budget_event_) {
    budget_event_ = event;
    transition_budget_.Refill();
  }
  return transition_budget_.Take(steps, delay_ms);
}

const std::vector<TPrz>& TDisplay::Transitions() const {
  return host_.Def().TPrzeniki;
}

const std::vector<TRam>& TDisplay::FrameStyles() const {
  return host_.Def().TRamki;
}

SharedPicture TDisplay::LoadPattern(const std::string& fileName) {
  return host_.Assets().Picture(kAssetBackgrounds, fileName);
}

platform::MemoryBudget& TDisplay::Memory() {
  return host_.Platform().Memory();
}

int32_t TDisplay::RunPresentation(int32_t startPage) {
  AltAssets = false;
  host_.History().Clear();
  CurrentPage = startPage;
  host_.Platform().Loop().ProcessMessages();
  PageCount = host_.Media().Count();
  // The built-in Escape shortcut until the first screen installs its own keys.
  ActiveKeys = TIntWektor{2};
  host_.Media().PreloadAll();
  return host_.Window().ShowModal();
}

void TDisplay::ShowPage() {
  KlepsydrKursor hourglass(host_.Platform());
  PendingAction = TAkc{};
  page_stopped_ = false;
  // A page change is handled inside the event that asked for it; the new page starts afresh.
  transition_budget_.Refill();
  budget_event_ = host_.Platform().Loop().Dispatched();
  UseBackBufferCanvas();
  ClearRegions();
  host_.Media().Show(CurrentPage);
}

void TDisplay::ComposePage() {
  KlepsydrKursor hourglass(host_.Platform());
  host_.Media().Compose(CurrentPage);
}

void TDisplay::StartPage() {
  KlepsydrKursor hourglass(host_.Platform());
  UseWindowCanvas();
  host_.Media().Start(CurrentPage);
}

void TDisplay::ActivatePage() {
  host_.Media().Activate(CurrentPage);
  host_.History().Push(CurrentPage);
  host_.Platform().Log().Write(
      "page", {{"page", CurrentPage}, {"screen", host_.Media().ScreenOf(CurrentPage)}});
}

void TDisplay::StartFirstPage() {
  StartPage();
  ActivatePage();
  // Every later page preloads the next one after its activation; so does the first.
  PreloadNextPage();
}

void TDisplay::StopPage() {
  page_stopped_ = true;
  UseWindowCanvas();
  host_.Media().Stop(CurrentPage);
}

void TDisplay::HidePage() {
  host_.Media().Hide(CurrentPage);
}

bool TDisplay::ApplyAction() {
  const auto code = int8_t(PendingAction.code);
  const int32_t a = PendingAction.argument;
  // 64-bit so that an argument near the i32 limits cannot overflow.
  int64_t t = CurrentPage;
  switch (code) {
    case kActionEnd:
      return true;
    case kActionPrevious:
      if (CurrentPage - 1 >= 0) t = CurrentPage - 1;
      break;
    case kActionNext:
      if (CurrentPage + 1 < PageCount) t = CurrentPage + 1;
      break;
    case kActionGoTo:
      if (a >= 0 && a < PageCount) t = a;
      break;
    case kActionMoveBy:
      if (int64_t m = int64_t{CurrentPage} + a; m >= 0 && m < PageCount) t = m;
      break;
    case kActionBack:
      if (int32_t b = host_.History().Back(); b >= 0 && b < PageCount) t = b;
      break;
    case kActionAltAssets:
      AltAssets = !AltAssets;
      break;
    default:
      break;
  }
  // A page whose screen is not in the table is refused like one without a screen.
  TMedia& media = host_.Media();
  if (t >= 0 && t < media.Count() && host_.Screens().IsValid(media.ScreenOf(int32_t(t)))) {
    CurrentPage = int32_t(t);
  }
  return false;
}

void TDisplay::PreloadNextPage() {
  KlepsydrKursor hourglass(host_.Platform());
  if (CurrentPage < PageCount - 1) host_.Media().Preload(CurrentPage + 1);
}

void TDisplay::PaintFromBuffer() {
  platform::Canvas& window = *window_canvas_;
  window.copy_mode = platform::CopyMode::kSrcCopy;
  window.Draw(0, 0, BackBuffer);
}

}  // namespace velmorant
