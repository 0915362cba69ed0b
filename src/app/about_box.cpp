#include "app/about_box.hpp"

#include "app/about_logo.hpp"
#include "platform/gfx/canvas.hpp"
#include "platform/gfx/colour.hpp"
#include "platform/text/draw_text.hpp"

namespace velmorant {

namespace {

constexpr const char* kCaption = "Velmorant 2005";
constexpr platform::Pixel kLime = platform::Rgb(0, 255, 0);
constexpr platform::Pixel kAqua = platform::Rgb(0, 255, 255);
constexpr int32_t kLabelLeft = 8;
constexpr int32_t kLogoMargin = 8;
constexpr uint8_t kEastEuropeCharset = 238;

// The box closes on a key press, which only keys that type a character make: letters, digits,
// the numeric pad, punctuation, Space, Enter, Escape, Backspace and Tab. Function keys, arrows
// and locks type nothing.
bool TypesACharacter(uint16_t key) {
  if (key == 8 || key == 9 || key == 13 || key == 27 || key == 32) return true;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return true;
  if (key >= 96 && key <= 111) return key != 108;  // the numeric pad, not its separator
  return (key >= 186 && key <= 192) || (key >= 219 && key <= 223) || key == 226;
}

platform::FontRequest LabelFont(bool underlined) {
  platform::FontRequest wanted = platform::DefaultGuiFontRequest();
  wanted.bold = true;
  wanted.underline = underlined;
  wanted.charset = kEastEuropeCharset;
  return wanted;
}

}  // namespace

Tffprmain::Tffprmain(platform::Backend& backend, bool no_launch)
    : backend_(backend),
      no_launch_(no_launch),
      window_(backend.CreateDialog(kCaption)),
      modal_(backend),
      font_(backend.Fonts().CreateFont(LabelFont(false))),
      underlined_font_(backend.Fonts().CreateFont(LabelFont(true))),
      labels_{{{"Velmorant 2005", 56, kLime, false},
               {"tel. +48 22 000 00 00", 72, kAqua, false},
               {"biuro@velmorant.example.org", 88, kAqua, false},
               {"velmorant.example.org", 104, kAqua, true}}} {
  window_->SetEvents(this);
}

Tffprmain::~Tffprmain() {
  window_->SetEvents(nullptr);
}

void Tffprmain::ShowAboutBox(const platform::Rect& over) {
  const int32_t left = over.left + int32_t((over.Width() - kClientWidth) / 2);
  const int32_t top = over.top + int32_t((over.Height() - kClientHeight) / 2);
  window_->SetBounds({left, top, left + kClientWidth, top + kClientHeight});
  window_->SetCursor(platform::kCrArrow);
  OnPaint();
  window_->Show();
  modal_.Run([] { return true; });
  window_->Hide();
}

platform::Rect Tffprmain::LabelBounds(const Label& label) const {
  const platform::Font& font = label.underlined ? underlined_font_ : font_;
  const platform::Size size = font.TextExtent(label.text);
  return {kLabelLeft, label.top, kLabelLeft + size.width, label.top + size.height};
}

void Tffprmain::OnPaint() {
  platform::Bitmap& surface = window_->Surface();
  surface.Fill(platform::kBlack);
  const platform::Bitmap logo = AboutLogo();
  platform::Canvas canvas(surface);
  canvas.Draw(kClientWidth - logo.Width() - kLogoMargin, kLogoMargin, logo);
  for (const Label& label : labels_) {
    const platform::Font& font = label.underlined ? underlined_font_ : font_;
    platform::TextOut(surface, font, {kLabelLeft, label.top}, label.text, label.colour);
  }
}

void Tffprmain::OnMouseDown(platform::MouseButton button, int32_t x, int32_t y) {
  // A click is the left button's.
  if (button != platform::MouseButton::kLeft) return;
  if (LabelBounds(labels_[3]).Contains({x, y})) {
    OpenWebAddress();
    return;
  }
  Close();
}

void Tffprmain::OnKeyDown(uint16_t& key) {
  if (!TypesACharacter(key)) return;
  key = 0;
  Close();
}

void Tffprmain::OpenWebAddress() {
  const platform::LaunchRequest request{"open", kWebAddress, "", "", ""};
  if (no_launch_) {
    backend_.Log().Write("launch", {{"verb", request.verb},
                                    {"file", request.file},
                                    {"params", ""},
                                    {"dir", ""},
                                    {"ok", false}});
    return;
  }
  backend_.Launcher().Launch(request);
}

}  // namespace velmorant
