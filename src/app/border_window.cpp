#include "app/border_window.hpp"

#include "app/player.hpp"
#include "platform/gfx/canvas.hpp"

namespace velmorant {

Tffmborder::Tffmborder(Player& player)
    : player_(player), window_(player.backend.CreateWindow("tło")) {
  window_->SetEvents(this);
}

Tffmborder::~Tffmborder() {
  window_->SetEvents(nullptr);
}

void Tffmborder::ShowBorder() {
  if (!player_.settings.Centred || window_->IsVisible()) return;
  const platform::ScreenInfo screen = player_.backend.Screen();
  window_->SetBounds({0, 0, screen.width, screen.height});
  const std::string& picture = player_.settings.BorderPicture;
  // A border picture that cannot be loaded leaves the border black; the show still starts.
  if (!picture.empty()) {
    if (auto loaded = player_.assets.Picture(kAssetBackgrounds, picture)) image_ = *loaded;
  }
  window_->Show();
  OnPaint();
}

void Tffmborder::HideBorder() {
  if (window_->IsVisible()) window_->Hide();
}

void Tffmborder::OnPaint() {
  platform::Bitmap& surface = window_->Surface();
  surface.Fill(platform::kBlack);
  if (image_.IsEmpty()) return;
  platform::Canvas canvas(surface);
  canvas.StretchDraw(surface.Bounds(), image_);
}

}  // namespace velmorant
