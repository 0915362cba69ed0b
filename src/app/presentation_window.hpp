#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "display/hint_panel.hpp"
#include "display/page_window.hpp"
#include "platform/backend.hpp"
#include "platform/film/film_player.hpp"
#include "platform/loop/event_loop.hpp"
#include "platform/loop/modal_loop.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

class Player;

// Tffmexec: the borderless presentation window. It owns no presentation logic: each event goes to
// the display engine in a fixed order, and its close query is where one page is left for the next.
class Tffmexec final : public platform::WindowEvents, public PageWindow, public ChildControls {
 public:
  // `firstArgument` is the slide-show interval in seconds as given on the command line.
  Tffmexec(Player& player, const std::string& firstArgument);
  ~Tffmexec() override;

  // PageWindow.
  platform::Size ClientSize() const override { return window_->ClientSize(); }
  platform::Bitmap& Surface() override { return window_->Surface(); }
  void Present() override { window_->Present(); }
  void Close() override { modal_.RequestClose(); }
  bool ShowModal() override;
  platform::Point LastMouse() const override { return {LastMouseX, LastMouseY}; }
  HintPanel& Hint() override { return hint_; }
  platform::Timer& TimerHint() override { return timer_hint_; }

  // ChildControls.
  void AddChild(platform::ChildControl* child) override { window_->AddChild(child); }
  void RemoveChild(platform::ChildControl* child) override { window_->RemoveChild(child); }
  void SendToBack(platform::ChildControl* child) override { window_->SendToBack(child); }
  void Focus(platform::ChildControl* child) override { window_->SetFocus(child); }

  void SetBounds(const platform::Rect& r) { window_->SetBounds(r); }
  platform::Rect Bounds() const { return window_->Bounds(); }
  // What the window shows, its child controls included.
  platform::Bitmap Composite() const { return window_->Composite(); }
  platform::Timer& Timer1() { return timer1_; }
  // The one film player, showing its pictures in this window.
  platform::FilmPlayer& Film() { return *film_; }

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
  void OnSystemClose() override;

 private:
  void FormShow();
  bool FormCloseQuery();
  // Leaves the presentation as the end action does, also from outside a page change.
  void EndNow();
  void Timer1Timer();
  void PageShown();

  Player& player_;
  std::unique_ptr<platform::Window> window_;
  platform::ModalLoop modal_;
  platform::Timer timer1_;
  platform::Timer timer_hint_;
  HintPanel hint_;
  std::unique_ptr<platform::FilmPlayer> film_;
  std::optional<int64_t> last_system_close_ms_;
};

}  // namespace velmorant
