#include "elements/visual/backgrounds.hpp"

#include "display/render_helpers.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

void TTla::OnDefinitionLoaded() {
  live_.clear();
  live_.resize(host_.Def().TTla.size());
}

const TTlo& TTla::Record(int32_t index) const {
  return host_.Def().TTla[size_t(index)];
}

void TTla::Show(int32_t index) {
  Live& e = live_[size_t(index)];
  if (e.Shown) return;
  const TTlo& tlo = Record(index);
  if (!tlo.FileName.empty()) {
    e.Picture = host_.Assets().Picture(kAssetBackgrounds, tlo.FileName);
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
  DrawingContext& drawing = host_.Drawing();
  const platform::Size client = drawing.ClientSize();
  if (e.Picture) {
    CopyMasked({0, 0, client.width, client.height}, e.CropPx, drawing.CurrentCanvas(), *e.Picture,
               nullptr);
  } else {
    platform::Canvas& back = drawing.BackBufferCanvas();
    back.Whiteness(back.Target().Bounds());
  }
}

void TTla::Hide(int32_t index) {
  Live& e = live_[size_t(index)];
  e.Shown = false;
  e.Picture.reset();
}

void TTla::Preload(int32_t index) {
  const TTlo& tlo = Record(index);
  if (!tlo.FileName.empty()) host_.Assets().WarmUp(kAssetBackgrounds, tlo.FileName);
}

}  // namespace velmorant
