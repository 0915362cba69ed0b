#include "display/display.hpp"

#include "app/player.hpp"
#include "display/hourglass.hpp"

namespace velmorant {

TDisplay::TDisplay(Player& player) : player_(player) {
  window_canvas_.emplace(player_.window->Surface());
  ResizeBackBuffer(player_.window->ClientSize());
  Canvas = &back_canvas_;
}

void TDisplay::ResizeBackBuffer(platform::Size size) {
  BackBuffer.Resize(size.width, size.height);
}

void TDisplay::UseWindowCanvas() {
  Canvas = &*window_canvas_;
}

platform::Size TDisplay::ClientSize() const {
  return player_.window->ClientSize();
}

void TDisplay::Sleep(int ms) {
  player_.window->Present();
  player_.backend.GetClock().Sleep(ms > 0 ? ms : 0);
}

const std::vector<TPrz>& TDisplay::Transitions() const {
  return player_.definition.TPrzeniki;
}

const std::vector<TRam>& TDisplay::FrameStyles() const {
  return player_.definition.TRamki;
}

std::optional<platform::Bitmap> TDisplay::LoadPattern(const std::string& fileName) {
  return player_.assets.LoadPicture(kAssetBackgrounds, fileName);
}

int32_t TDisplay::RunPresentation(int32_t startPage) {
  AltAssets = false;
  player_.hist.Clear();
  CurrentPage = startPage;
  player_.border->ShowBorder();
  player_.backend.Loop().ProcessMessages();
  PageCount = player_.media.Count();
  // The built-in Escape shortcut until the first screen installs its own keys.
  ActiveKeys = TIntWektor{2};
  player_.media.PreloadAll();
  return player_.window->ShowModal();
}

void TDisplay::ShowPage() {
  KlepsydrKursor hourglass(player_.backend);
  PendingAction = TAkc{};
  UseBackBufferCanvas();
  ClearRegions();
  player_.media.Show(CurrentPage, &PendingAction);
}

void TDisplay::ComposePage() {
  KlepsydrKursor hourglass(player_.backend);
  player_.media.Compose(CurrentPage);
}

void TDisplay::StartPage() {
  KlepsydrKursor hourglass(player_.backend);
  UseWindowCanvas();
  player_.media.Start(CurrentPage);
}

void TDisplay::ActivatePage() {
  player_.media.Activate(CurrentPage);
  player_.hist.Push(CurrentPage);
  player_.backend.Log().Write(
      "page", {{"page", CurrentPage}, {"screen", player_.media.ScreenOf(CurrentPage)}});
}

void TDisplay::StopPage() {
  UseWindowCanvas();
  player_.media.Stop(CurrentPage);
}

void TDisplay::HidePage() {
  player_.media.Hide(CurrentPage);
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
      if (int32_t b = player_.hist.Back(); b >= 0 && b < PageCount) t = b;
      break;
    case kActionAltAssets:
      AltAssets = !AltAssets;
      break;
    default:
      break;
  }
  // A page whose screen is not in the table is refused like one without a screen.
  if (t >= 0 && t < player_.media.Count() &&
      player_.screens.IsValid(player_.media.ScreenOf(int32_t(t)))) {
    CurrentPage = int32_t(t);
  }
  return false;
}

void TDisplay::PreloadNextPage() {
  KlepsydrKursor hourglass(player_.backend);
  if (CurrentPage < PageCount - 1) player_.media.Preload(CurrentPage + 1);
}

void TDisplay::PaintFromBuffer() {
  platform::Canvas& window = *window_canvas_;
  window.copy_mode = platform::CopyMode::kSrcCopy;
  window.Draw(0, 0, BackBuffer);
}

}  // namespace velmorant
