#include "elements/visual/backgrounds.hpp"

#include "app/player.hpp"
#include "display/render_helpers.hpp"

namespace velmorant {

void TTla::OnDefinitionLoaded() {
  live_.resize(player_.definition.TTla.size());
}

const TTlo& TTla::Record(int32_t index) const {
  return player_.definition.TTla[size_t(index)];
}

void TTla::Show(int32_t index, TAkc* /*slot*/) {
  Live& e = live_[size_t(index)];
  if (e.Shown) return;
  const TTlo& tlo = Record(index);
  if (!tlo.FileName.empty()) {
    e.Picture = player_.assets.LoadPicture(kAssetBackgrounds, tlo.FileName);
    // A picture that cannot be loaded leaves the background unshown: nothing is drawn.
    if (!e.Picture) return;
    const int64_t w = e.Picture->Width();
    const int64_t h = e.Picture->Height();
    // 32-bit products as the percentages were meant, but computed without overflow.
    e.CropPx = {int32_t(w * tlo.CropLeft / 100), int32_t(h * tlo.CropTop / 100),
                int32_t(w * tlo.CropRight / 100), int32_t(h * tlo.CropBottom / 100)};
  }
  e.Shown = true;
}

void TTla::Compose(int32_t index) {
  Live& e = live_[size_t(index)];
  if (!e.Shown) return;
  TDisplay& display = player_.display;
  const platform::Size client = display.ClientSize();
  if (e.Picture) {
    CopyMasked({0, 0, client.width, client.height}, e.CropPx, display.CurrentCanvas(), *e.Picture,
               nullptr);
  } else {
    display.BackBufferCanvas().Whiteness(display.BackBuffer.Bounds());
  }
}

void TTla::Hide(int32_t index) {
  Live& e = live_[size_t(index)];
  e.Shown = false;
  e.Picture.reset();
}

void TTla::Preload(int32_t index) {
  const TTlo& tlo = Record(index);
  if (!tlo.FileName.empty()) player_.assets.WarmUp(kAssetBackgrounds, tlo.FileName);
}

}  // namespace velmorant
