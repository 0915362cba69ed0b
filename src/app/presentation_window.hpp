#pragma once

#include <cstdint>
#include <memory>

#include "app/hint_panel.hpp"
#include "platform/backend.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/loop/modal_loop.hpp"

namespace velmorant {

class Player;

// Tffmexec: the borderless presentation window. It owns no presentation logic: each event goes to
// the display engine in a fixed order, and its close query is where one page is left for the next.
class Tffmexec final : public platform::WindowEvents {
 public:
  // `firstArgument` is the slide-show interval in seconds as given on the command line.
  Tffmexec(Player& player, const std::string& firstArgument);
  ~Tffmexec() override;

  platform::Size ClientSize() const { return window_->ClientSize(); }
  platform::Bitmap& Surface() { return window_->Surface(); }
  void Present() { window_->Present(); }
  void SetBounds(const platform::Rect& r) { window_->SetBounds(r); }

  // Shows the window modally; returns when the presentation ended (true) or input ran out.
  bool ShowModal();
  // A close request: the close query runs after the current handler returns.
  void Close() { modal_.RequestClose(); }

  HintPanel& Hint() { return hint_; }
  platform::Timer& TimerHint() { return timer_hint_; }
  platform::Timer& Timer1() { return timer1_; }

  // The slide-show interval of a first command-line argument, in ms.
  static int32_t SlideShowFromArgument(const std::string& argument);

  bool FirstPaintPending = false;
  bool PaintAllowed = false;
  int32_t SlideShowMs = 0;
  int32_t LastMouseX = -1;
  int32_t LastMouseY = -1;

  void OnPaint() override;
  void OnMouseMove(int32_t x, int32_t y) override;
  void OnMouseDown(platform::MouseButton button, int32_t x, int32_t y) override;
  void OnKeyDown(uint16_t& key) override;
  void OnSystemClose() override { Close(); }

 private:
  void FormShow();
  bool FormCloseQuery();
  void Timer1Timer();

  Player& player_;
  std::unique_ptr<platform::Window> window_;
  platform::ModalLoop modal_;
  platform::Timer timer1_;
  platform::Timer timer_hint_;
  HintPanel hint_;
};

}  // namespace velmorant
