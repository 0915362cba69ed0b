#include "app/presentation_window.hpp"

#include <algorithm>
#include <charconv>

#include "app/player.hpp"
#include "app/shortcuts.hpp"
#include "platform/text/hint_panel.hpp"

namespace velmorant {

Tffmexec::Tffmexec(Player& player, const std::string& firstArgument)
    : player_(player),
      window_(player.backend.CreateWindow("Velmorant")),
      modal_(player.backend),
      timer1_(player.backend.Loop()),
      timer_hint_(player.backend.Loop()),
      hint_(player.backend.Fonts().CreateFont(platform::HintFontRequest()),
            [this](platform::MouseButton b, int32_t x, int32_t y) { OnMouseDown(b, x, y); }),
      film_(player.backend.CreateFilmPlayer(*window_)) {
  window_->SetEvents(this);
  window_->AddChild(&hint_);
  // Centred on the screen until the display check sets the bounds.
  const platform::ScreenInfo screen = player.backend.Screen();
  const int32_t w = std::min(640, screen.width);
  const int32_t h = std::min(480, screen.height);
  const int32_t left = (screen.width - w) / 2;
  const int32_t top = (screen.height - h) / 2;
  window_->SetBounds({left, top, left + w, top + h});
  SlideShowMs = SlideShowFromArgument(firstArgument);
}

Tffmexec::~Tffmexec() {
  window_->RemoveChild(&hint_);
  window_->SetEvents(nullptr);
}

int32_t Tffmexec::SlideShowFromArgument(const std::string& argument) {
  if (argument.empty()) return 0;
  int64_t seconds = 0;
  const char* begin = argument.data();
  const char* end = begin + argument.size();
  if (*begin == '+') ++begin;
  auto [ptr, ec] = std::from_chars(begin, end, seconds);
  if (ec == std::errc::result_out_of_range) {
    seconds = argument[0] == '-' ? 0 : 100;
  } else if (ec != std::errc() || ptr != end) {
    return 0;
  }
  return int32_t(std::clamp<int64_t>(seconds, 0, 100) * 1000);
}

bool Tffmexec::ShowModal() {
  window_->Show();
  FormShow();
  const bool ended = modal_.Run([this] { return FormCloseQuery(); });
  if (!ended && player_.backend.EndRequested()) EndNow();
  // A modal form hides when it closes.
  if (ended || player_.backend.EndRequested()) window_->Hide();
  return ended;
}

void Tffmexec::EndNow() {
  player_.display.PendingAction = {kActionEnd, 0};
  FormCloseQuery();
}

void Tffmexec::OnSystemClose() {
  // A full-screen show without an Escape shortcut would keep whoever started it: a second close
  // within 3 seconds ends it.
  const int64_t now = player_.backend.Loop().NowMs();
  if (player_.options.end_on_second_close && last_system_close_ms_ &&
      now - *last_system_close_ms_ <= 3000) {
    player_.backend.Log().Write("close", {{"second", true}});
    player_.LeavePage({kActionEnd, 0});
    return;
  }
  last_system_close_ms_ = now;
  Close();
}

void Tffmexec::FormShow() {
  PaintAllowed = false;
  FirstPaintPending = true;
  TDisplay& display = player_.display;
  display.ShowPage();
  display.ComposePage();
  PaintAllowed = true;
  timer1_.Arm(SlideShowMs, [this] { Timer1Timer(); });
}

void Tffmexec::OnPaint() {
  TDisplay& display = player_.display;
  if (PaintAllowed) display.PaintFromBuffer();
  if (FirstPaintPending) {
    FirstPaintPending = false;
    display.StartFirstPage();
    PageShown();
  }
}

bool Tffmexec::FormCloseQuery() {
  TDisplay& display = player_.display;
  window_->SetCursor(platform::kCrArrow);
  display.StopPage();
  player_.backend.Loop().ProcessMessages();
  display.HidePage();
  const bool quit = display.ApplyAction();
  if (quit) {
    timer1_.SetInterval(0);
    player_.StopAllSound();
    player_.border->HideBorder();
    player_.backend.Log().Write("end");
    return true;
  }
  display.ShowPage();
  PaintAllowed = false;
  display.ComposePage();
  display.StartPage();
  PaintAllowed = true;
  display.ActivatePage();
  PageShown();
  player_.backend.Loop().ProcessMessages();
  display.PreloadNextPage();
  return false;
}

void Tffmexec::OnMouseMove(int32_t x, int32_t y) {
  if (x == LastMouseX && y == LastMouseY) return;
  LastMouseX = x;
  LastMouseY = y;
  const int16_t cursor = player_.display.PointerMove(x, y);
  if (window_->Cursor() != cursor) window_->SetCursor(cursor);
}

void Tffmexec::OnMouseDown(platform::MouseButton /*button*/, int32_t x, int32_t y) {
  TDisplay& display = player_.display;
  const int32_t i = display.HitTest(x, y);
  if (i == -1) return;
  display.ClickRegion(i);
  if (IsLeavingCode(display.PendingAction.code)) Close();
}

void Tffmexec::OnKeyDown(uint16_t& key) {
  RunShortcuts(player_, key);
}

void Tffmexec::PageShown() {
  if (player_.OnPageShown) player_.OnPageShown(player_.display.CurrentPage);
}

void Tffmexec::Timer1Timer() {
  player_.LeavePage({kActionNext, 0});
}

}  // namespace velmorant
