#pragma once

#include <memory>

#include "platform/window/window.hpp"

namespace velmorant {

class Player;

// Tffmborder: covers the screen with the border picture while a presentation is shown centred.
class Tffmborder final : public platform::WindowEvents {
 public:
  explicit Tffmborder(Player& player);
  ~Tffmborder() override;

  void ShowBorder();
  void HideBorder();
  bool Visible() const { return window_->IsVisible(); }

  void OnPaint() override;

 private:
  Player& player_;
  std::unique_ptr<platform::Window> window_;
  platform::Bitmap image_;  // the border picture, stretched to the client area when painted
};

}  // namespace velmorant
