#include "elements/interactive/sandwiches.hpp"

#include "display/backdrop.hpp"
#include "display/placement.hpp"
#include "display/rect_arithmetic.hpp"
#include "display/render_helpers.hpp"
#include "sequence/element_host.hpp"

namespace velmorant {

using platform::Bitmap;

void TSandwicze::OnDefinitionLoaded() {
  const auto& table = host_.Def().TSandwicze;
  live_.clear();
  live_.resize(table.size());
  for (size_t s = 0; s < table.size(); ++s) live_[s].Layers.resize(table[s].Layers.size());
}

const TSan& TSandwicze::Record(int32_t index) const {
  return host_.Def().TSandwicze[size_t(index)];
}

void TSandwicze::Show(int32_t index) {
  Live& e = live_[size_t(index)];
  if (e.Shown) return;
  e.Captured = false;
  for (size_t l = 0; l < e.Layers.size(); ++l) ShowLayer(index, l);
  e.Shown = true;
  const Bitmap* first = e.Layers.empty() ? nullptr : e.Layers.front().Picture.picture.get();
  if (!first) return;
  const TSan& sandwich = Record(index);
  DrawingContext& drawing = host_.Drawing();
  e.Rect = first->Bounds();
  Place(sandwich.X, sandwich.Y, sandwich.Width, sandwich.Height, e.Rect, drawing.ClientSize());
  // Refused by the memory budget, the sandwich has no picture to draw.
  ChargedBitmapForRect(drawing.Memory(), e.Rect, e.Composite, e.CompositeCharge);
  e.Backdrop = Bitmap();
  e.BackdropCharge.Release();
  e.Frame = std::make_unique<TRamkaRender>(drawing, sandwich.FrameIndex, e.Rect);
  ShowMaps(index);
}

void TSandwicze::ShowLayer(int32_t index, size_t layer) {
  Layer& live = live_[size_t(index)].Layers[layer];
  if (live.Shown) return;
  const TWar& record = Record(index).Layers[layer];
  if (!record.FileName.empty()) {
    live.Picture = host_.Assets().PictureWithMask(kAssetImages, record.FileName, record.FileName);
  }
  live.On = record.Visible != 0;
  live.Shown = true;
}

void TSandwicze::ShowMaps(int32_t index) {
  const TSan& sandwich = Record(index);
  const Live& e = live_[size_t(index)];
  ControlRegistry& controls = host_.Controls();
  // The inner map takes the sandwich's size; its own placement codes then put it in place.
  if (sandwich.MapIndex >= 0) {
    controls.ShowMap(sandwich.MapIndex, MakeRect(0, 0, e.Rect.Width(), e.Rect.Height()));
  }
  if (sandwich.ControlMapIndex < 0) return;
  controls.ShowMap(sandwich.ControlMapIndex);
  for (size_t l = 0; l < sandwich.Layers.size(); ++l) {
    const int32_t region = sandwich.Layers[l].Region;
    if (region < 0) continue;
    controls.SetOnClick(sandwich.ControlMapIndex, region, [this, index, l] { Toggle(index, l); });
  }
}

void TSandwicze::RunMapsPhase(Phase phase, int32_t index) {
  if (!live_[size_t(index)].Frame) return;
  const TSan& sandwich = Record(index);
  host_.Controls().RunMapPhase(phase, sandwich.ControlMapIndex);
  host_.Controls().RunMapPhase(phase, sandwich.MapIndex);
}

void TSandwicze::Compose(int32_t index) {
  const Live& e = live_[size_t(index)];
  // The layers themselves come only after the page's transition.
  if (e.Shown && e.Frame) {
    host_.Controls().RunMapPhase(Phase::kCompose, Record(index).ControlMapIndex);
  }
}

void TSandwicze::Start(int32_t index) {
  const Live& e = live_[size_t(index)];
  if (!e.Shown || !e.Frame) return;
  Repaint(index);
  host_.Controls().RunMapPhase(Phase::kStart, Record(index).ControlMapIndex);
}

void TSandwicze::Stop(int32_t index) {
  if (live_[size_t(index)].Shown) RunMapsPhase(Phase::kStop, index);
}

void TSandwicze::Hide(int32_t index) {
  Live& e = live_[size_t(index)];
  e.Shown = false;
  RunMapsPhase(Phase::kHide, index);
  e.Frame.reset();
  e.Backdrop = Bitmap();
  e.Composite = Bitmap();
  e.BackdropCharge.Release();
  e.CompositeCharge.Release();
}

void TSandwicze::Preload(int32_t index) {
  const TSan& sandwich = Record(index);
  for (const TWar& layer : sandwich.Layers) {
    if (!layer.FileName.empty()) WarmUpPicture(host_.Assets(), kAssetImages, layer.FileName, true);
  }
  host_.Controls().RunMapPhase(Phase::kPreload, sandwich.MapIndex);
  host_.Controls().RunMapPhase(Phase::kPreload, sandwich.ControlMapIndex);
}

void TSandwicze::Repaint(int32_t index) {
  Live& e = live_[size_t(index)];
  DrawingContext& drawing = host_.Drawing();
  // Captured once a visit, so that every repaint starts again from the clean background.
  if (!e.Captured) {
    SaveUnder(drawing, e.Rect, &e.Backdrop, e.BackdropCharge);
    e.Captured = true;
  }
  if (!e.Composite.IsEmpty()) {
    const platform::Rect all = e.Composite.Bounds();
    platform::Canvas composite(e.Composite);
    CopyMasked(all, composite, e.Backdrop, nullptr);
    // Every layer is stretched to the sandwich's size.
    for (const Layer& layer : e.Layers) {
      if (layer.On && layer.Picture.picture) {
        CopyMasked(all, composite, *layer.Picture.picture, layer.Picture.mask.get());
      }
    }
    CopyMasked(e.Rect, drawing.CurrentCanvas(), e.Composite, nullptr);
    if (!drawing.IsBackBufferCurrent()) {
      CopyMasked(e.Rect, drawing.BackBufferCanvas(), e.Composite, nullptr);
    }
  }
  e.Frame->Draw(true);
  const int32_t map = Record(index).MapIndex;
  host_.Controls().RunMapPhase(Phase::kCompose, map);
  host_.Controls().RunMapPhase(Phase::kStart, map);
}

void TSandwicze::Toggle(int32_t index, size_t layer) {
  Live& e = live_[size_t(index)];
  if (!e.Shown || !e.Frame) return;
  Layer& live = e.Layers[layer];
  if (!live.Picture.picture) return;
  live.On = !live.On;
  Repaint(index);
}

}  // namespace velmorant
