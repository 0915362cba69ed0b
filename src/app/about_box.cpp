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

// Keys that type nothing on their own do not close the box.
bool IsModifier(uint16_t key) {
  return key == 16 || key == 17 || key == 18;
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

void Tffprmain::ShowAboutBox() {
  const platform::ScreenInfo screen = backend_.Screen();
  const int32_t left = (screen.width - kClientWidth) / 2;
  const int32_t top = (screen.height - kClientHeight) / 2;
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

void Tffprmain::OnMouseDown(platform::MouseButton /*button*/, int32_t x, int32_t y) {
  if (LabelBounds(labels_[3]).Contains({x, y})) {
    OpenWebAddress();
    return;
  }
  Close();
}

void Tffprmain::OnKeyDown(uint16_t& key) {
  if (IsModifier(key)) return;
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
