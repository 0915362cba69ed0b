#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/backend.hpp"
#include "platform/loop/modal_loop.hpp"
#include "platform/text/font.hpp"

namespace velmorant {

// Tffprmain: the start-up form. It stays hidden while the presentation runs, then shows as the
// about box: a small black window with the logo and four labels, closed by a key that types a
// character or a left click, which ends the program. The fourth label opens the web address.
class Tffprmain final : public platform::WindowEvents {
 public:
  static constexpr int32_t kClientWidth = 252;
  static constexpr int32_t kClientHeight = 128;
  static constexpr const char* kWebAddress = "https://velmorant.example.org/";

  // With `no_launch` the web address is only logged, not opened.
  Tffprmain(platform::Backend& backend, bool no_launch);
  ~Tffprmain() override;

  // Shows the about box centred over `over` (the presentation's window) until it is closed.
  void ShowAboutBox(const platform::Rect& over);
  bool Visible() const { return window_->IsVisible(); }

  void OnPaint() override;
  void OnMouseDown(platform::MouseButton button, int32_t x, int32_t y) override;
  void OnKeyDown(uint16_t& key) override;
  void OnSystemClose() override { Close(); }

 private:
  struct Label {
    std::string text;
    int32_t top;
    platform::Pixel colour;
    bool underlined;
  };

  void Close() { modal_.RequestClose(); }
  platform::Rect LabelBounds(const Label& label) const;
  void OpenWebAddress();

  platform::Backend& backend_;
  bool no_launch_;
  std::unique_ptr<platform::Window> window_;
  platform::ModalLoop modal_;
  platform::Font font_;
  platform::Font underlined_font_;
  std::array<Label, 4> labels_;
};

}  // namespace velmorant
